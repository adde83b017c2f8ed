#include "window/BoundsDialog.h"

#include "editor/EditRules.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace corvale {

namespace {

constexpr std::array<const char*, 4> kLabels = {
    "Maximum stress:", "Minimum stress:", "Maximum juncture:", "Minimum juncture:"};

}  // namespace

BoundsDialog::BoundsDialog(const ValueBounds& bounds, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BoundsDialog"));
    setWindowTitle(QStringLiteral("Value bounds"));
    auto* form = new QFormLayout;
    const std::array<std::int32_t, 4> values = {bounds.maximumStress, bounds.minimumStress,
                                                bounds.maximumJuncture, bounds.minimumJuncture};
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new QSpinBox(this);
        boxes_[i]->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        boxes_[i]->setValue(values[i]);
        boxes_[i]->setAccessibleName(QString::fromLatin1(kLabels[i]).chopped(1));
        form->addRow(QString::fromLatin1(kLabels[i]), boxes_[i]);
        connect(boxes_[i], &QSpinBox::valueChanged, this, &BoundsDialog::Check);
    }
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("boundsProblem"));
    problem_->setTextFormat(Qt::PlainText);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);
    Check();
}

ValueBounds BoundsDialog::Bounds() const {
    return {boxes_[0]->value(), boxes_[1]->value(), boxes_[2]->value(), boxes_[3]->value()};
}

void BoundsDialog::Check() {
    const QString problem = QString::fromStdString(editor::BoundsProblem(Bounds()));
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

}  // namespace corvale
