#include "Unit7.h"

#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "MoonPicture.h"
#include "QtDates.h"
#include "SjisText.h"
#include "Widgets.h"
#include "daywick/koyomi.h"
#include "daywick/sjis.h"

namespace daywick {

using ui::fromSjis;

namespace {

constexpr int kWidth = 340, kHeight = 470;
// The 暦's rows: the name column, the value column, and the moon beside the first rows.
constexpr int kNameLeft = 14, kValueLeft = 116, kRowHeight = 19, kFirstRow = 186;
const QRect kMoonPlace(kWidth - 96, 186, 84, 84);

struct ItemRow {
    const char* name;
};
constexpr std::array<ItemRow, TForm7::kItems> kRows = {{{"旧暦"},
                                                        {"六曜"},
                                                        {"干支"},
                                                        {"九星"},
                                                        {"十二直"},
                                                        {"二十八宿"},
                                                        {"七十二候"},
                                                        {"選日"},
                                                        {"月齢"},
                                                        {"日の出・日の入"},
                                                        {"月の出・月の入"}}};

QLabel* makeText(QWidget* parent, const QRect& place, const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    ui::setColour(label, QPalette::WindowText, colour);
}

}  // namespace

TForm7::TForm7() : SecondaryWindow(QStringLiteral("こよみ"), {kWidth, kHeight}, {380, 50}) {
    Label1 = makeText(this, {12, 8, 220, 20}, ui::pGothicFont(14), Qt::AlignLeft | Qt::AlignVCenter);
    Label2 = makeText(this, {kWidth - 112, 4, 100, 26}, ui::pGothicFont(22, true),
                      Qt::AlignRight | Qt::AlignVCenter);
    Label3 = makeText(this, {0, 30, kWidth, 100}, ui::pGothicFont(92, true), Qt::AlignCenter);
    Label4 = makeText(this, {0, 128, kWidth, 24}, ui::pGothicFont(18, true), Qt::AlignCenter);
    Label5 = makeText(this, {0, 152, kWidth, 20}, ui::pGothicFont(14, true), Qt::AlignCenter);
    setTextColour(Label5, ui::kHolidayRed);

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(8, 177, kWidth - 16, 2);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    Image1 = new ui::MoonPicture(this);
    Image1->setGeometry(kMoonPlace);

    for (std::size_t i = 0; i < kItems; ++i) {
        ItemNames[i] = makeText(this, {}, ui::pGothicFont(13, true), Qt::AlignLeft | Qt::AlignVCenter);
        ItemNames[i]->setText(QString::fromUtf8(kRows[i].name));
        ItemValues[i] = makeText(this, {}, ui::pGothicFont(13), Qt::AlignLeft | Qt::AlignTop);
        ItemValues[i]->setWordWrap(true);
        ItemValues[i]->setContentsMargins(0, 2, 0, 0);
    }
    placeRows();

    Label6 = makeText(this, {12, kFirstRow, kWidth - 24, 80}, ui::pGothicFont(14), Qt::AlignCenter);
    Label6->setWordWrap(true);

    Button1 = ui::makeButton(this, QStringLiteral("OK"), {kWidth - 91, kHeight - 32, 75, 25});
    ui::connectHandler(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
}

void TForm7::showDay(const CivilDate& day) {
    day_ = day;
    const QDate date = ui::toQDate(day);
    const DayReki reki = dayReki(day);
    const std::string holiday = nationalHoliday(day);

    // The 和暦 year is what 和暦 gives before its month: "令和8年12月9日" gives "令和8年".
    QString era = fromSjis(reki.wareki);
    era.truncate(era.indexOf(QStringLiteral("年")) + 1);
    Label1->setText(QStringLiteral("%1年").arg(day.year) +
                    (era.isEmpty() ? QString() : QStringLiteral("　") + era));
    Label2->setText(QStringLiteral("%1月").arg(day.month));
    Label3->setText(QString::number(day.day));
    Label4->setText(QLocale(QLocale::Japanese).dayName(date.dayOfWeek()));
    Label5->setText(fromSjis(holiday));
    const QColor colour = date.dayOfWeek() == Qt::Sunday || !holiday.empty() ? ui::kHolidayRed
                          : date.dayOfWeek() == Qt::Saturday                 ? ui::kSaturdayBlue
                                                                             : QColor(Qt::black);
    setTextColour(Label3, colour);
    setTextColour(Label4, colour);

    const auto riseAndSet = [](const std::string& rise, const std::string& set) {
        return fromSjis(rise) + QStringLiteral(" ・ ") + fromSjis(set) + QStringLiteral("　（東京）");
    };
    // In the order of kRows.
    const QString values[kItems] = {
        fromSjis(reki.lunarDate),
        fromSjis(reki.rokuyo),
        fromSjis(reki.sexagenary),
        fromSjis(reki.kyusei),
        fromSjis(reki.choku),
        fromSjis(reki.shuku),
        fromSjis(reki.kou) + QStringLiteral("\n（") + fromSjis(reki.kouReading) + QStringLiteral("）"),
        reki.senjitsu.empty() ? QStringLiteral("なし") : fromSjis(senjitsuText(reki)),
        fromSjis(reki.moonAgeText) +
            (reki.phase.empty() ? QString() : QStringLiteral("　") + fromSjis(reki.phase)),
        riseAndSet(reki.sunrise, reki.sunset),
        riseAndSet(reki.moonrise, reki.moonset),
    };
    for (std::size_t i = 0; i < kItems; ++i) {
        ItemNames[i]->setVisible(reki.available);
        ItemValues[i]->setVisible(reki.available);
        ItemValues[i]->setText(reki.available ? values[i] : QString());
    }
    placeRows();
    Image1->setVisible(reki.available);
    Image1->setAge(reki.available ? reki.moonAge : -1);
    Label6->setVisible(!reki.available);
    Label6->setText(reki.available ? QString()
                                   : QStringLiteral("%1年の暦はありません\n（暦は%2年から%3年まで）")
                                         .arg(day.year)
                                         .arg(kFirstComputedYear)
                                         .arg(kLastKoyomiYear));
}

void TForm7::placeRows() {
    // Each row as tall as its value's lines; values beside the moon stop short of it.
    int top = kFirstRow;
    for (std::size_t i = 0; i < kItems; ++i) {
        const int right = top < kMoonPlace.bottom() ? kMoonPlace.left() - 6 : kWidth - 10;
        const int width = right - kValueLeft;
        const int height = std::max(kRowHeight, ItemValues[i]->heightForWidth(width));
        ItemNames[i]->setGeometry(kNameLeft, top, kValueLeft - kNameLeft - 4, kRowHeight);
        ItemValues[i]->setGeometry(kValueLeft, top, width, height);
        top += height;
    }
}

void TForm7::Button1Click() {
    close();
}

}  // namespace daywick
