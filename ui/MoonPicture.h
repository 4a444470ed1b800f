#pragma once

#include <QWidget>

namespace daywick::ui {

/// The moon as it looks from Japan on a day of a given age: the lit part and its side worked out from the
/// days since the new moon, the waxing moon lit on the right and the waning one on the left.
class MoonPicture : public QWidget {
public:
    explicit MoonPicture(QWidget* parent);

    /// The moon's age in days (0 to about 29.5); a negative age shows no moon.
    void setAge(double days);
    double age() const { return age_; }

    /// The share of the disk that is lit, 0 (new) to 1 (full).
    double litFraction() const;
    /// True while the moon waxes, lit on the right; false while it wanes, lit on the left.
    bool litOnTheRight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double age_ = -1;
};

}  // namespace daywick::ui
