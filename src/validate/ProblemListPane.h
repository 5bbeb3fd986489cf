// The list of validation or transformation errors below the editor: line, column, message.
// A click or Return on a row, or F8 / Shift+F8 from anywhere, picks an error.
#pragma once

#include "ValidationResult.h"

#include <QTreeWidget>

class CProblemListPane : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CProblemListPane(QWidget* pParent = nullptr);

    void SetIssues(const QVector<SValidationIssue>& issues);
    const QVector<SValidationIssue>& Issues() const { return m_issues; }
    // Picks the next (or, with a negative step, the previous) error, round the end; -1 when
    // there is none.
    int Step(int nStep);
    int CurrentIssue() const;

signals:
    void issueChosen(int nIndex);

private:
    void Choose(int nIndex);

    QVector<SValidationIssue> m_issues;
};
