#pragma once

#include "host/widgets/button_flat.h"

#include <QPointer>

namespace host {

class RecordSet;
class TDataSource;

// Search button over a look-up: OnBeforePesq prepares (opens) the look-up, the operator picks a
// row in the search dialog (or is told the empty error when there is none), and OnAfterPesq takes
// the chosen row. An abort in OnBeforePesq ends the search.
//
// The button takes no focus, so that leaving a field for a search runs no exit check: F2 in the
// field named by the property "field" runs the search instead, from the keyboard.
class TBtnPesquisa : public TButtonFlat {
    Q_OBJECT
    Q_PROPERTY(QString field READ FieldName WRITE SetFieldName)
public:
    explicit TBtnPesquisa(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource) { m_dataSource = dataSource; }
    void SetTitle(const QString& title) { m_title = title; }
    void SetEmptyError(const QString& text) { m_emptyError = text; }

    // Runs the search as a click does; true when a row was chosen.
    bool Pesquisa();

    const QString& FieldName() const { return m_fieldName; }
    void SetFieldName(const QString& name) { m_fieldName = name; }

    Reaction OnBeforePesq;
    Reaction OnAfterPesq;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_fieldName;
    QPointer<QWidget> m_field;
    QPointer<TDataSource> m_dataSource;
    QString m_title;
    QString m_emptyError;
};

} // namespace host
