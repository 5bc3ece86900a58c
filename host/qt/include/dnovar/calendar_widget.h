// dnovar::CalendarWidget: the Dnovar month calendar as a Qt widget.
//
// A new widget shows today's month, 300 x 251 pixels. Every property below is one of the
// control's own (docs/qt-widget.md maps them to the automation names) and shows at once when it
// is written. Failures never throw: they are reported by errorOccurred, and the call leaves what
// it could not change as it was.
#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <memory>

#if defined(DNOVAR_WIDGETS_LIBRARY)
#define DNOVAR_WIDGETS_EXPORT Q_DECL_EXPORT
#else
#define DNOVAR_WIDGETS_EXPORT Q_DECL_IMPORT
#endif

namespace dnovar {

class CalendarWidgetPrivate;

class DNOVAR_WIDGETS_EXPORT CalendarWidget : public QWidget {
  Q_OBJECT
  // The current date (Datum). Default: today. Changed by the user's navigation and by setDate.
  Q_PROPERTY(QDate date READ date WRITE setDate NOTIFY dateChanged)
  // The frame's caption, exactly as written (Caption). Default: "Dnovar1".
  Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
  // The colour of the days rangeLow..rangeHigh (VyberColor). Default: yellow. Black is refused.
  Q_PROPERTY(QColor highlightColor READ highlightColor WRITE setHighlightColor NOTIFY
                 highlightColorChanged)
  // Whether Czech public holidays are bold (Svatky). Default: true.
  Q_PROPERTY(
      bool holidaysShown READ holidaysShown WRITE setHolidaysShown NOTIFY holidaysShownChanged)
  // The days "D + -" adds to the date (Dplus), -32768..32767. Default: 1. Also set by Enter in
  // the box beside the button.
  Q_PROPERTY(int shiftDays READ shiftDays WRITE setShiftDays NOTIFY shiftDaysChanged)
  // First and last day of the highlighted range (Dlow, Dhigh), -32768..32767; 0 is none. Default:
  // 0. Also set by dragging over the days (left button paints, right button erases).
  Q_PROPERTY(int rangeLow READ rangeLow WRITE setRangeLow NOTIFY rangeChanged)
  Q_PROPERTY(int rangeHigh READ rangeHigh WRITE setRangeHigh NOTIFY rangeChanged)
  // What holidays are bold and how weeks are numbered. Default: Current.
  Q_PROPERTY(Rules rules READ rules WRITE setRules NOTIFY rulesChanged)

 public:
  // Control: the control's own definition, as every host of the ActiveX control shows it (an
  // estimated Easter Monday, no Good Friday, week 1 holding 1 January). Current: today's Czech
  // calendar (Easter Monday from the Gregorian Easter date, Good Friday from 2016 on, ISO 8601
  // weeks). The eleven fixed holidays are the same. docs/qt-widget.md lists where they differ.
  enum Rules { Control, Current };
  Q_ENUM(Rules)

  explicit CalendarWidget(QWidget* parent = nullptr);
  ~CalendarWidget() override;

  QDate date() const;
  QString caption() const;
  QColor highlightColor() const;
  bool holidaysShown() const;
  int shiftDays() const;
  int rangeLow() const;
  int rangeHigh() const;
  Rules rules() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The Monday marked as the Easter holiday of `year` (Velikonoce) by the widget's rules: the
  // Gregorian date (Current) or the control's estimate from a mean lunation (Control), which
  // differs from it in some years. Invalid on failure.
  Q_INVOKABLE QDate easterMonday(int year) const;
  // Redraws the month of date() (Aktualizuj).
  Q_INVOKABLE void refresh();
  // Shows the about dialog modally and returns once it is closed (ShowAbout).
  Q_INVOKABLE void showAbout();
  // Takes every setting from a bag file (docs/bag-format.md). On failure the widget stays as it
  // was. Keys the control does not know are kept for saveSettings.
  Q_INVOKABLE bool loadSettings(const QString& file);
  // Writes the settings to a bag file, replacing it whole; on failure the old file stays. The
  // folder must exist (else error 76, path not found): none is created.
  Q_INVOKABLE bool saveSettings(const QString& file) const;

 public Q_SLOTS:
  void setDate(QDate date);
  void setCaption(const QString& caption);
  void setHighlightColor(const QColor& color);
  void setHolidaysShown(bool shown);
  void setShiftDays(int days);
  void setRangeLow(int day);
  void setRangeHigh(int day);
  // Both ends at once: one redraw, at most one rangeChanged.
  void setRange(int low, int high);
  // Redraws the month by the new rules.
  void setRules(Rules rules);

 Q_SIGNALS:
  // The date shown changed, by the user or by code.
  void dateChanged(QDate date);
  // rangeLow or rangeHigh changed, by a drag or by code.
  void rangeChanged(int low, int high);
  // The other properties changed, by code, by a settings file or (shiftDays) by the user's Enter.
  void captionChanged(const QString& caption);
  void highlightColorChanged(const QColor& color);
  void holidaysShownChanged(bool shown);
  void shiftDaysChanged(int days);
  void rulesChanged(Rules rules);
  // The user pressed "Zavři" (the event Zavri). The widget itself stays.
  void closeRequested();
  // A failure: a user action the control could not carry out (a typed year 12000 gives 5), a
  // value it refused, a load or save that failed. The number is the control's error number.
  void errorOccurred(int number, const QString& message);

 protected:
  // The widget's own enabled state is the control's Enabled.
  void changeEvent(QEvent* event) override;
  // Paints the widget's own background as a style sheet sets it (dnovar--CalendarWidget).
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class CalendarWidgetPrivate;
  Q_DISABLE_COPY_MOVE(CalendarWidget)
  std::unique_ptr<CalendarWidgetPrivate> d;
};

}  // namespace dnovar
