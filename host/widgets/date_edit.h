#pragma once

#include "host/widgets/reaction.h"

#include <QDate>
#include <QLineEdit>

namespace host {

class CalendarPopup;

// Date edit "dd/MM/yyyy" that may stay empty. A null QDate stands for the date 0 (no date):
// GetDate gives it for an empty edit and for text that is not a whole valid date.
class TDateEditPlus : public QLineEdit {
    Q_OBJECT
public:
    explicit TDateEditPlus(QWidget* parent = nullptr);
    ~TDateEditPlus() override;

    QDate GetDate() const;
    void SetDate(const QDate& date); // a null date empties the edit
    bool IsEmpty() const;            // nothing typed
    bool IsValidDate() const;        // empty or a whole valid date
    // When the text is neither empty nor a date: puts the focus back here, shows the host error
    // and aborts the action.
    void CheckValidDate();

    void DropDown(); // opens the calendar

    Reaction OnChange; // the text changed (typing, calendar or a programmatic write)
    Reaction OnEnter;
    Reaction OnExit;

signals:
    void datePicked(const QDate& date);

protected:
    // Runs on every text change before OnChange, so a bound form can store the date first.
    virtual void TextChanged() {}
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowLook();

    CalendarPopup* m_popup = nullptr;
};

} // namespace host
