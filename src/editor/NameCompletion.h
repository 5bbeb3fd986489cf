// Offers names while markup is typed: after "<" the elements allowed at the caret (by the
// template's grammar, else the names the document uses and the template tree knows), after a
// blank in a start tag the attributes not yet written, required first; a chosen attribute gets
// `=""` with the caret between the quotes. Enter or Tab takes a name, Escape dismisses the list.
#pragma once

#include <QObject>

#include <string>
#include <vector>

class CTarnelView;

class CNameCompletion : public QObject
{
    Q_OBJECT
public:
    // How far back from the caret a start tag is looked for: typing never reads more.
    static constexpr long long kTagLookBack = 4096;

    explicit CNameCompletion(CTarnelView& view);

    void SetEnabled(bool bOn) { m_bOn = bOn; }
    bool Enabled() const { return m_bOn; }

private:
    enum EList
    {
        kElements = 1,
        kAttributes = 2
    };

    void OnCharAdded(int ch);
    void OnChosen(const char* pSelection, int nList, int ch, int method, int nPosition);
    void Show(EList list, const std::vector<std::string>& names, bool bSorted);
    // The names the document uses, as the fold passes met them, and those of the template tree.
    std::vector<std::string> KnownNames();
    // The element path at the caret, leaving out a start tag the typed "<" has just opened.
    std::vector<std::string> PathBeforeTypedTag() const;
    long long Send(unsigned int nMsg, long long wParam = 0, long long lParam = 0) const;

    CTarnelView& m_view;
    bool m_bOn = true;
};
