#pragma once

// What the screen's filter dialogs share: their two modes, how a mode runs a dialog, and how a
// date edit's content reaches the settings and the rules.

#include "host/app/mainwindow.h"
#include "host/forms/form_life.h"
#include "host/services/dialogs.h"
#include "host/services/waitcursor.h"
#include "host/widgets/date_edit.h"
#include "register/rules/listfilter.h"

#include <QDateTime>
#include <QObject>
#include <QString>

// Modes of the Cria... functions of the filters.
inline const QString kBotaoFiltro = QStringLiteral("BOTAO_FILTRO");     // shown modally
inline const QString kEscondeFiltro = QStringLiteral("ESCONDE_FILTRO"); // re-run, not shown

// Creates the dialog on first use (the slot forgets it when it is destroyed) and runs it in the
// mode: shown modally, or its last confirmed settings confirmed again unseen. A failure of a
// hidden run propagates to the caller.
template <typename Filtro> void RodaFiltro(Filtro*& slot, const QString& mode) {
    {
        const host::WaitCursor wait;
        if (!slot) {
            slot = host::CreateForm<Filtro>(host::MainWindow());
            QObject::connect(slot, &QObject::destroyed, [&slot] { slot = nullptr; });
        }
        if (mode == kEscondeFiltro) {
            slot->FormActivate();
            slot->sbtConfirmaClick();
            return;
        }
    }
    if (mode == kBotaoFiltro) {
        slot->FormActivate();
        host::dialogs().ExecModal(*slot);
    }
}

// The date a filter keeps: null for an empty edit.
inline QDateTime DataDoFiltro(const host::TDateEditPlus* edit) {
    const QDate date = edit->GetDate();
    return date.isNull() ? QDateTime() : date.startOfDay();
}

// The edit's content as the filter rules read it.
inline reg::DateInput DataDaRegra(const host::TDateEditPlus* edit) {
    return {edit->GetDate(), edit->IsValidDate()};
}
