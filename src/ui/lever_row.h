#pragma once
// A lever of the What-if window: a slider and a number field showing the
// same value. changed() comes when the value settles (the slider let go or
// stepped, the number entered), not at every pixel of a drag.
#include <QWidget>

class QDoubleSpinBox;
class QLabel;
class QSlider;

namespace kov::ui {

class LeverRow : public QWidget {
    Q_OBJECT
public:
    /// Values from low to high in steps of step, shown with decimals places.
    LeverRow(const QString& label, double low, double high, double step, int decimals, QWidget* parent = nullptr);

    double value() const;
    /// Sets the value without changed(); the range widens to hold it.
    void setValue(double v);
    /// The value a reset returns to, marked on the number field's tooltip.
    void setRest(double v);
    double rest() const { return rest_; }
    bool atRest() const;

    /// The caption's width, and a width for it, to line levers up.
    int labelWidth() const;
    void setLabelWidth(int width);

    QSlider* slider() const { return slider_; }
    QDoubleSpinBox* field() const { return field_; }

signals:
    void changed(double value);

private:
    int stepsOf(double v) const;

    double low_, step_;
    double rest_ = 0;
    QLabel* label_ = nullptr;
    QSlider* slider_ = nullptr;
    QDoubleSpinBox* field_ = nullptr;
    bool syncing_ = false;
};

} // namespace kov::ui
