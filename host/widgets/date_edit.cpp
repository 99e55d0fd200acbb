#include "host/widgets/date_edit.h"

#include "host/services/abort.h"
#include "host/widgets/calendar_popup.h"
#include "host/widgets/host_texts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>

namespace host {
namespace {

const QString kDisplayFormat = QStringLiteral("dd/MM/yyyy");
// Parsing accepts a day or month typed with one digit.
const QString kParseFormat = QStringLiteral("d/M/yyyy");
const QColor kValidDateColour = Qt::blue;

} // namespace

TDateEditPlus::TDateEditPlus(QWidget* parent) : QLineEdit(parent) {
    setInputMask(QStringLiteral("99/99/9999;_"));
    ShowLook();

    QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
    drop->setObjectName(QStringLiteral("actDropDown"));
    drop->setText(WidgetText(QStringLiteral("CALENDARIO")));
    drop->setToolTip(drop->text());
    connect(drop, &QAction::triggered, this, &TDateEditPlus::DropDown);
    connect(this, &QLineEdit::textChanged, this, [this] {
        ShowLook();
        TextChanged();
        OnChange.Fire();
    });
}

TDateEditPlus::~TDateEditPlus() = default;

QDate TDateEditPlus::GetDate() const {
    // A year of fewer than four digits is a date still being typed, not the year 20.
    static const QRegularExpression whole(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}$"));
    if (!whole.match(text()).hasMatch())
        return {};
    return QDate::fromString(text(), kParseFormat);
}

void TDateEditPlus::SetDate(const QDate& date) {
    setText(date.isValid() ? date.toString(kDisplayFormat) : QString());
}

bool TDateEditPlus::IsEmpty() const {
    QString digits = text();
    digits.remove(QLatin1Char('/'));
    return digits.trimmed().isEmpty();
}

bool TDateEditPlus::IsValidDate() const {
    return IsEmpty() || GetDate().isValid();
}

void TDateEditPlus::CheckValidDate() {
    if (IsValidDate())
        return;
    setFocus();
    MensErro(WidgetText(QStringLiteral("DATAINV")));
}

void TDateEditPlus::DropDown() {
    if (isReadOnly() || !isEnabled())
        return;
    if (!m_popup) {
        m_popup = new CalendarPopup(this);
        connect(m_popup, &CalendarPopup::datePicked, this, [this](const QDate& date) {
            SetDate(date);
            emit datePicked(date);
        });
    }
    m_popup->Open(this, GetDate());
}

void TDateEditPlus::keyPressEvent(QKeyEvent* event) {
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || event->key() == Qt::Key_F4) {
        DropDown();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDateEditPlus::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    OnEnter.Fire();
}

void TDateEditPlus::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The calendar taking the focus is still the edit at work.
    if (event->reason() != Qt::PopupFocusReason)
        OnExit.Fire();
}

void TDateEditPlus::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange)
        ShowLook();
}

// The light "info" background and the blue date belong to an edit that takes typing; read only
// or disabled, it looks like every other field that cannot be changed. Only the active and
// inactive colours are ours, so the style's disabled look stays whole.
void TDateEditPlus::ShowLook() {
    const QPalette plain = QApplication::palette(this);
    const bool typing = isEnabled() && !isReadOnly();
    QPalette look = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        look.setColor(group, QPalette::Base,
                      plain.color(group, typing ? QPalette::ToolTipBase : QPalette::Window));
        look.setColor(group, QPalette::Text,
                      typing && GetDate().isValid() ? kValidDateColour
                                                    : plain.color(group, QPalette::Text));
    }
    setPalette(look);
}

} // namespace host
