#include "Unit2.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "Widgets.h"
#include "daywick/version.h"

namespace daywick {

namespace {

QLabel* makeLabel(QWidget* parent, QPoint place, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->move(place);
    label->adjustSize();
    return label;
}

// An etched line across the window: shadow above, highlight below.
QFrame* makeSeparator(QWidget* parent, int top) {
    auto* line = new QFrame(parent);
    line->setGeometry(0, top, 409, 2);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setLineWidth(1);
    return line;
}

}  // namespace

TForm2::TForm2() : SecondaryWindow(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), {410, 173}, {244, 112}) {
    Label1 = new QLabel(QStringLiteral("Daywick Ver ") + QString::fromLatin1(kShortVersion), this);
    Label1->setGeometry(8, 8, 161, 21);
    Label1->setFont(ui::pGothicFont(21, false, true));

    Label2 = makeLabel(this, {8, 32},
                       QStringLiteral("Copyright (C) 2026 Daywick 開発チーム  All rights reserved."));
    Bevel3 = makeSeparator(this, 48);
    Label6 = makeLabel(this, {8, 56}, QStringLiteral("ホームページ : https://daywick.example.org/"));
    Label7 = makeLabel(this, {8, 72}, QStringLiteral("電子メール : support@daywick.example.org"));
    Bevel1 = makeSeparator(this, 88);
    Label3 = makeLabel(this, {8, 96}, QStringLiteral("警告..."));

    // Three lines, the last one short enough to stay clear of the OK button beside it.
    Label4 = new QLabel(QStringLiteral("このソフトウェアの著作権は Daywick 開発チームにあります。\n"
                                       "本ソフトウェアの全部または一部を無断で複製すること、および\n"
                                       "許可なく販売することは、著作権の侵害です。"),
                        this);
    Label4->setWordWrap(true);
    Label4->move(16, 114);
    Label4->setFixedWidth(382);
    Label4->adjustSize();

    Button1 = ui::makeButton(this, QStringLiteral("OK"), {288, 144, 75, 25});
    ui::connectHandler(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click() {
    close();
}

}  // namespace daywick
