// The Dnovar calendar in an application of its own: the days the user picks with the mouse are
// shown below it, and a button saves the calendar's settings, which the next start loads.
//
//   dnovar-qt-app [--settings FILE] [--quit-after-show]
#include <dnovar/calendar_widget.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <iostream>

namespace {

// Days are picked by dragging over them: the left button paints, the right one erases.
QString picked_text(const dnovar::CalendarWidget& calendar) {
  const int low = calendar.rangeLow();
  const int high = calendar.rangeHigh();
  if (low == 0 || high == 0) return QStringLiteral("No days picked");
  return QStringLiteral("Picked days %1 to %2 of %3")
      .arg(low)
      .arg(high)
      .arg(calendar.date().toString(QStringLiteral("yyyy-MM")));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dnovar-qt-app"));

  QCommandLineParser options;
  options.addHelpOption();
  const QCommandLineOption settings_option(
      QStringLiteral("settings"), QStringLiteral("The calendar's settings file."),
      QStringLiteral("file"),
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
          QStringLiteral("/calendar.bag"));
  const QCommandLineOption quit_option(
      QStringLiteral("quit-after-show"),
      QStringLiteral("Print the date and the picked days once the window is shown, then exit."));
  options.addOptions({settings_option, quit_option});
  options.process(application);
  const QString settings = options.value(settings_option);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Dnovar"));
  auto* calendar = new dnovar::CalendarWidget;
  auto* picked = new QLabel;
  auto* save = new QPushButton(QStringLiteral("&Save settings"));
  auto* status = new QLabel;
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(calendar);
  layout->addWidget(picked);
  layout->addWidget(save);
  layout->addWidget(status);

  const auto show_picked = [calendar, picked] { picked->setText(picked_text(*calendar)); };
  QObject::connect(calendar, &dnovar::CalendarWidget::rangeChanged, picked, show_picked);
  QObject::connect(calendar, &dnovar::CalendarWidget::dateChanged, picked, show_picked);
  QObject::connect(calendar, &dnovar::CalendarWidget::errorOccurred, status,
                   [status](int number, const QString& message) {
                     status->setText(QStringLiteral("Error %1: %2").arg(number).arg(message));
                   });
  QObject::connect(calendar, &dnovar::CalendarWidget::closeRequested, &window, &QWidget::close);
  QObject::connect(save, &QPushButton::clicked, calendar, [calendar, status, settings] {
    if (calendar->saveSettings(settings)) status->setText(QStringLiteral("Saved to ") + settings);
  });

  if (QFileInfo::exists(settings)) calendar->loadSettings(settings);
  show_picked();
  window.show();

  if (options.isSet(quit_option)) {
    QTimer::singleShot(0, &window, [&] {
      std::cout << "date " << calendar->date().toString(Qt::ISODate).toStdString() << '\n'
                << picked->text().toStdString() << '\n'
                << status->text().toStdString() << std::endl;
      QApplication::quit();
    });
  }
  return QApplication::exec();
}
