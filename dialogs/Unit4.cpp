#include "Unit4.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "MessageBoxes.h"
#include "SjisText.h"
#include "Widgets.h"
#include "daywick/append.h"
#include "daywick/birthday.h"
#include "daywick/datafile.h"
#include "daywick/dates.h"

namespace daywick {

namespace {

const QColor kDateBoxColour(0xA8, 0xFF, 0xA8);
const QColor kNameBoxColour(0xFF, 0xFF, 0xA8);

// A box whose keys never reach an input method. Qt asks the focused widget, and a line edit answers yes
// whatever its attribute says.
class DirectEntryBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled) return false;
        return QLineEdit::inputMethodQuery(query);
    }
};

template <typename Box = QLineEdit>
QLineEdit* makeBox(QWidget* parent, const QRect& place, const QColor& background) {
    auto* box = new Box(parent);
    box->setGeometry(place);
    ui::setColour(box, QPalette::Base, background);
    return box;
}

// A caption of fixed size, its text at the top left as the window's layout places it.
QLabel* makeCaption(QWidget* parent, const QRect& place, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The bytes a number box holds. A character with no Shift_JIS form becomes "?", as the Windows conversion
// does: it is no digit either way, and the error box can still show the rest of what was typed.
std::string numberBoxBytes(const QString& text) {
    if (auto bytes = ui::toSjis(text)) return *bytes;
    std::string bytes;
    for (const char32_t character : text.toUcs4())
        bytes += ui::toSjis(QString::fromUcs4(&character, 1)).value_or("?");
    return bytes;
}

}  // namespace

TForm4::TForm4(const ui::Services& services)
    : SecondaryWindow(QStringLiteral("誕生日登録"), {325, 191}, {146, 120}),
      clock_(*services.clock),
      dataDir_(services.dataDir) {
    setFont(ui::pGothicFont(16));

    // Built in tab order.
    Edit1 = makeBox<DirectEntryBox>(this, {32, 48, 89, 24}, kDateBoxColour);
    Edit1->setToolTip(QStringLiteral("西暦４桁または和暦アルファベット+年(H10)のように入力して下さい"));
    // Digits and era letters are typed directly, without conversion: the keys go past the input method, which
    // may ignore the hints.
    Edit1->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhPreferNumbers);
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label1 = makeCaption(this, {128, 56, 25, 25}, QStringLiteral("年"));
    Edit2 = makeBox(this, {152, 48, 49, 24}, kDateBoxColour);
    Label2 = makeCaption(this, {208, 56, 33, 17}, QStringLiteral("月"));
    Edit3 = makeBox(this, {240, 48, 41, 24}, kDateBoxColour);
    Label3 = makeCaption(this, {288, 56, 25, 17}, QStringLiteral("日"));
    Label4 = makeCaption(this, {40, 112, 49, 25}, QStringLiteral("名前"));
    Label4->setFont(ui::pGothicFont(19));
    ui::setColour(Label4, QPalette::Window, ui::kButtonFace);
    Label4->setAutoFillBackground(true);
    // The name is typed in Japanese, so the box keeps the input method on. Neither Qt, ibus nor fcitx5 lets a
    // program ask for Hiragana: the input method's own mode decides.
    Edit4 = makeBox(this, {104, 112, 153, 24}, kNameBoxColour);
    Button1 = ui::makeButton(this, QStringLiteral("登録"), {120, 152, 75, 25});
    Button2 = ui::makeButton(this, QStringLiteral("キャンセル"), {224, 152, 75, 25});
    // The buttons have a font of their own, smaller than the window's.
    Button1->setFont(ui::pGothicFont(12));
    Button2->setFont(ui::pGothicFont(12));
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Button1);
    setTabOrder(Button1, Button2);

    ui::connectHandler(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    ui::connectHandler(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);

    ui::runHandler([this] { FormCreate(); });
}

void TForm4::FormCreate() {
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit4->clear();
}

void TForm4::Button1Click() {
    // A conversion error or a failed append leaves through here to the error box, with the boxes as typed.
    const BirthdayEntry entry = checkBirthday({numberBoxBytes(Edit1->text()), numberBoxBytes(Edit2->text()),
                                               numberBoxBytes(Edit3->text()), ui::toSjis(Edit4->text())},
                                              clock_);
    if (entry.verdict != BirthdayVerdict::Accepted) {
        ui::showPlainMessage(birthdayMessage(entry.verdict));
        // A wrong date leaves the focus where it was; a name to fix gets it.
        if (entry.verdict != BirthdayVerdict::DateOutOfRange) Edit4->setFocus();
        return;
    }
    appendLine(dataPath(dataDir_, kBirthdayFile), entry.record);
    // The record is on the disk: only now is what the user typed let go.
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit4->clear();
    Edit1->setFocus();
}

void TForm4::Button2Click() {
    close();
}

}  // namespace daywick
