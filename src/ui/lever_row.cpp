#include "ui/lever_row.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace kov::ui {

LeverRow::LeverRow(const QString& label, double low, double high, double step, int decimals, QWidget* parent)
    : QWidget(parent), low_(low), step_(step) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel(label);
    slider_ = new QSlider(Qt::Horizontal);
    slider_->setRange(0, stepsOf(high));
    slider_->setPageStep(std::max(1, slider_->maximum() / 10));
    slider_->setMinimumWidth(140);
    field_ = new QDoubleSpinBox;
    field_->setRange(low, high);
    field_->setSingleStep(step);
    field_->setDecimals(decimals);
    // Typing 1, 2 and Enter asks one projection, of 12, not one of 1 first.
    field_->setKeyboardTracking(false);
    label_->setBuddy(field_);
    layout->addWidget(label_);
    layout->addWidget(slider_, 1);
    layout->addWidget(field_);

    connect(slider_, &QSlider::valueChanged, this, [this](int steps) {
        if (syncing_) return;
        const double v = low_ + steps * step_;
        {
            const QSignalBlocker quiet(field_);
            field_->setValue(v);
        }
        if (!slider_->isSliderDown()) emit changed(value());
    });
    connect(slider_, &QSlider::sliderReleased, this, [this] { emit changed(value()); });
    connect(field_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        if (syncing_) return;
        syncing_ = true;
        slider_->setValue(stepsOf(v));
        syncing_ = false;
        emit changed(value());
    });
}

int LeverRow::stepsOf(double v) const { return static_cast<int>(std::lround((v - low_) / step_)); }

int LeverRow::labelWidth() const { return label_->sizeHint().width(); }

void LeverRow::setLabelWidth(int width) { label_->setFixedWidth(width); }

double LeverRow::value() const { return field_->value(); }

void LeverRow::setValue(double v) {
    syncing_ = true;
    if (v < field_->minimum() || v > field_->maximum()) {
        low_ = std::min(low_, v);
        field_->setRange(std::min(field_->minimum(), v), std::max(field_->maximum(), v));
        slider_->setRange(0, stepsOf(field_->maximum()));
    }
    field_->setValue(v);
    slider_->setValue(stepsOf(v));
    syncing_ = false;
}

void LeverRow::setRest(double v) {
    rest_ = v;
    field_->setToolTip(QStringLiteral("%1 leaves it as it is").arg(field_->textFromValue(v)));
}

bool LeverRow::atRest() const { return field_->value() == field_->valueFromText(field_->textFromValue(rest_)); }

} // namespace kov::ui
