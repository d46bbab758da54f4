#include "ui/new_puzzle_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace vexilo {

namespace {

QSpinBox* sideBox(QWidget* parent, int value, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, generate::kMaxGenerateSize);
    box->setValue(value);
    return box;
}

}  // namespace

NewPuzzleDialog::NewPuzzleDialog(QWidget* parent, const generate::GenerateRequest& initial)
    : QDialog(parent), initial_(initial) {
    setObjectName(QStringLiteral("NewPuzzleDialog"));
    setWindowTitle(QStringLiteral("新しい問題"));
    width_ = sideBox(this, initial.width, "WidthBox");
    height_ = sideBox(this, initial.height, "HeightBox");
    rating_ = new QComboBox(this);
    rating_->setObjectName(QStringLiteral("RatingBox"));
    rating_->addItem(QStringLiteral("指定なし"), generate::kAnyRating);
    for (int r = 0; r <= 6; ++r) rating_->addItem(QString::number(r), r);
    rating_->setCurrentIndex(initial.rating + 1);
    symmetric_ = new QCheckBox(QStringLiteral("点対称に置く"), this);
    symmetric_->setObjectName(QStringLiteral("SymmetricBox"));
    symmetric_->setChecked(initial.symmetric);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("横"), width_);
    form->addRow(QStringLiteral("縦"), height_);
    form->addRow(QStringLiteral("難易度"), rating_);
    form->addRow(QStringLiteral("数字"), symmetric_);
    form->addRow(buttons);
}

generate::GenerateRequest NewPuzzleDialog::request() const {
    generate::GenerateRequest r = initial_;
    r.width = width_->value();
    r.height = height_->value();
    r.rating = rating_->currentData().toInt();
    r.symmetric = symmetric_->isChecked();
    return r;
}

}  // namespace vexilo
