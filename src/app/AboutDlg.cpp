#include "AboutDlg.h"

#include "Version.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* CentredLine(const QString& text, QWidget* pParent)
{
    auto* label = new QLabel(text, pParent);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent)
{
    setWindowTitle(QStringLiteral("About Tarnel"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tarnel.svg")).pixmap(32, 32));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(CentredLine(QStringLiteral("Tarnel Version " TARNEL_VERSION_NAME), this), 0, 1);
    grid->addWidget(
        CentredLine(QStringLiteral("Copyright (C) 2002 T. Arnel <tarnel@example.org>"), this), 1,
        1);
    grid->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addWidget(CentredLine(
        QStringLiteral("Written by T. Arnel, http://www.example.net/~tarnel/ - please give credit "
                       "when you use these ideas."),
        this));
    layout->addWidget(CentredLine(
        QStringLiteral(
            "Updates: http://tarnel.example.org/ - free to use and share, at your own risk."),
        this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
