// The editor's display options, as the View menu switches them.
#pragma once

class IEditorOptions
{
public:
    virtual void ShowLineNumbers(bool bShown) = 0;
    virtual bool LineNumbersShown() const = 0;
    // Off: the text is coloured on opening, New, Alt+R and insertions only.
    virtual void SetColourAsYouType(bool bOn) = 0;
    virtual bool ColourAsYouType() const = 0;
    virtual void SetWordWrap(bool bOn) = 0;
    virtual bool WordWrap() const = 0;
    // The fold margin and folding by element.
    virtual void SetFolding(bool bOn) = 0;
    virtual bool Folding() const = 0;
    // Enter keeps the indentation, one level deeper after a start tag.
    virtual void SetAutoIndent(bool bOn) = 0;
    virtual bool AutoIndent() const = 0;
    // Typing a start tag's ">" adds its end tag after the caret.
    virtual void SetCloseStartTags(bool bOn) = 0;
    virtual bool CloseStartTags() const = 0;
    // One step larger (nStep > 0) or smaller (< 0), or back to the font's own size (0).
    virtual void ZoomStep(int nStep) = 0;

protected:
    ~IEditorOptions() = default;
};
