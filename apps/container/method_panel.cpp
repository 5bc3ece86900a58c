#include "apps/container/method_panel.h"

#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace dnovar::container {

namespace {

QSpinBox* integer_box(const char* name, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(-32768, 32767);  // the methods take 16-bit integers
  box->setValue(value);
  return box;
}

}  // namespace

MethodPanel::MethodPanel(QWidget* parent)
    : QGroupBox(tr("Methods"), parent),
      k_(integer_box("k", 0, this)),
      year_(integer_box("Rok", QDate::currentDate().year(), this)),
      easter_(new QLabel(this)) {
  easter_->setObjectName(QStringLiteral("VelikonoceResult"));
  easter_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* aktualizuj = new QPushButton(QStringLiteral("Aktualizuj"), this);
  auto* velikonoce = new QPushButton(QStringLiteral("Velikonoce"), this);
  auto* show_about = new QPushButton(QStringLiteral("ShowAbout"), this);
  buttons_ = {aktualizuj, velikonoce, show_about};
  for (QPushButton* button : buttons_) button->setObjectName(button->text());

  auto* layout = new QGridLayout(this);
  layout->addWidget(aktualizuj, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("k"), this), 0, 1);
  layout->addWidget(k_, 0, 2);
  layout->addWidget(velikonoce, 1, 0);
  layout->addWidget(new QLabel(QStringLiteral("Rok"), this), 1, 1);
  layout->addWidget(year_, 1, 2);
  layout->addWidget(easter_, 1, 3);
  layout->addWidget(show_about, 2, 0);
  layout->setColumnStretch(3, 1);

  connect(aktualizuj, &QPushButton::clicked, this,
          [this] { call(QStringLiteral("Aktualizuj"), {Variant::i2(Int16(k_->value()))}); });
  connect(velikonoce, &QPushButton::clicked, this, [this] {
    easter_->clear();
    const auto monday = call(QStringLiteral("Velikonoce"), {Variant::i2(Int16(year_->value()))});
    if (monday) easter_->setText(QString::fromStdString(monday->to_string()));
  });
  connect(show_about, &QPushButton::clicked, this,
          [this] { call(QStringLiteral("ShowAbout"), {}); });
  set_object(nullptr);
}

void MethodPanel::set_object(Dispatch* object) {
  object_ = object;
  for (QPushButton* button : buttons_) button->setEnabled(object_ != nullptr);
}

std::optional<Variant> MethodPanel::call(const QString& method, std::vector<Variant> args) {
  if (object_ == nullptr) return std::nullopt;
  std::optional<Variant> result;
  try {
    result = call_method(*object_, method.toStdString(), std::move(args));
  } catch (const RuntimeError& error) {
    emit error_reported(error.number(), QString::fromUtf8(error.what()));
  }
  emit called(method);
  return result;
}

}  // namespace dnovar::container
