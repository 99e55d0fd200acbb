// Marking payables on a list of about 10,000 through the screen's own keys (Ctrl+Space with the
// question answered Yes), a reload with 5,000 marks to restore, and the payables filter's hidden
// run from the server to the grid's first rows painted.
//
//   REC18000_BENCH_DB=/tmp/pag.db build/bin/bench_offset
// with a database from `rec18000-db --database sqlite:/tmp/pag.db generate --scale 1`.

#include "bench/support/screenroad.h"
#include "data/codec.h"
#include "data/recordset.h"
#include "host/widgets/button_flat.h"
#include "module/cli_rec18001.h"
#include "offset/filtrocntpagar.h"
#include "offset/rules/itemmarks.h"
#include "register/frmcompcontrec.h"
#include "tests/support/recordsetof.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A new compensation of company 01 with every open payable due within a year either way listed.
struct Road : bench_support::ScreenRoad {
    explicit Road(const QString& path) : ScreenRoad(path, "GetBoletosPag") {
        screen->findChild<host::TButtonFlat*>(QStringLiteral("sbtIncluir"))->click();
        CriaFiltroCntPagar(QStringLiteral("01"), QString()); // made, not run
        const QDate today = QDate::currentDate();
        Cli_rec18001::TFILTRO& filtro = Cli_rec18001::frmFiltroCntPagar->Filtro;
        filtro.VencIni = today.addYears(-1).startOfDay();
        filtro.VencFin = today.addYears(1).startOfDay();
        Grid()->setFocus(); // entering the notebook lists them
    }
    ~Road() { delete Cli_rec18001::frmFiltroCntPagar; }

    QTableView* Grid() const { return screen->findChild<QTableView*>(QStringLiteral("dbgConta")); }
    host::RecordSet& Payables() const { return *screen->cdsBoletosPag; }
    int Marked() const {
        return RecordSetOf(screen, "cdsBoletosMarcados")->Active()
                   ? RecordSetOf(screen, "cdsBoletosMarcados")->RecordCount()
                   : 0;
    }
    bool Counted() const {
        return std::llround(
                   screen->cdsCompensacao->FieldByName(QStringLiteral("VRTOTALCOMREC")).AsFloat() *
                   100) != 0;
    }
    // Ctrl+Space: marks all when nothing is counted, else unmarks all.
    void MarkOrUnmarkAll() const {
        dialogs->AnswerYes();
        QTest::keyClick(Grid(), Qt::Key_Space, Qt::ControlModifier);
    }
    void Toggle(int row) const {
        Payables().SetRecNo(row);
        QTest::keyClick(Grid(), Qt::Key_Space);
    }
};

Road* g_road = nullptr;

void BM_MarkAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        if (g_road->Counted())
            g_road->MarkOrUnmarkAll();
        state.ResumeTiming();
        g_road->MarkOrUnmarkAll();
    }
    state.counters["listed"] = g_road->Payables().RecordCount();
    state.counters["marked"] = g_road->Marked();
}
BENCHMARK(BM_MarkAll)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UnmarkAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        if (!g_road->Counted())
            g_road->MarkOrUnmarkAll();
        state.ResumeTiming();
        g_road->MarkOrUnmarkAll();
    }
    state.counters["marked"] = g_road->Marked();
}
BENCHMARK(BM_UnmarkAll)->Unit(benchmark::kMillisecond)->Iterations(5);

// Space on one payable, marking it and unmarking it again: what a click costs.
void BM_ToggleOne(benchmark::State& state) {
    if (g_road->Counted())
        g_road->MarkOrUnmarkAll();
    for (auto _ : state) {
        g_road->Toggle(100);
        g_road->Toggle(100);
    }
    state.counters["marked"] = g_road->Marked();
}
BENCHMARK(BM_ToggleOne)->Unit(benchmark::kMillisecond)->Iterations(20);

// The refresh button with the notebook's list in focus: the payables filter's hidden run,
// server query and encoding, transfer, decoding, the marks restored, the grid's first rows
// painted. With every other payable marked, and with none.
void Refresh() {
    g_road->screen->findChild<host::TButtonFlat*>(QStringLiteral("sbtVerificar"))->click();
    g_road->Grid()->viewport()->repaint();
}

void BM_ReloadRestoring5000(benchmark::State& state) {
    if (g_road->Counted())
        g_road->MarkOrUnmarkAll();
    for (int row = 0; row < g_road->Payables().RecordCount(); row += 2)
        g_road->Toggle(row);
    double serverMs = 0;
    for (auto _ : state) {
        Refresh();
        serverMs += g_road->ServerMs();
    }
    state.counters["marked"] = g_road->Marked();
    state.counters["server_ms"] = serverMs / double(state.iterations());
}
BENCHMARK(BM_ReloadRestoring5000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_HiddenFilterRun(benchmark::State& state) {
    if (g_road->Counted())
        g_road->MarkOrUnmarkAll();
    double serverMs = 0;
    for (auto _ : state) {
        Refresh();
        serverMs += g_road->ServerMs();
    }
    state.counters["rows"] = g_road->Payables().RecordCount();
    state.counters["server_ms"] = serverMs / double(state.iterations());
}
BENCHMARK(BM_HiddenFilterRun)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the payables grid does on every wholesale change of its list (the last EnableControls of
// a walk, a new content): the model reset and the grid fitting its columns to their cells.
void BM_GridReset(benchmark::State& state) {
    for (auto _ : state) {
        g_road->Payables().DisableControls();
        g_road->Payables().EnableControls();
    }
}
BENCHMARK(BM_GridReset)->Unit(benchmark::kMillisecond)->Iterations(5);

// The marking rule alone on detached copies of the list and the marked set: no grid, no screen.
struct Detached {
    host::RecordSet list;
    host::RecordSet marked;
    offset::ItemMarks marks{list, marked, QStringLiteral("CDFILIBPAG;NRLANBOLPAG"),
                            QStringLiteral("VRFINALBPAG")};
    QByteArray json;

    Detached() {
        host::codec::DecodeInto(host::codec::Encode(g_road->Payables()), list);
        marked.SetFieldDefs(RecordSetOf(g_road->screen, "cdsBoletosMarcados")->FieldDefs());
        marked.CreateDataSet();
        marks.Forget();
        json = host::codec::Encode(list); // every row unmarked, as the server sends them
        list.Locate(QStringLiteral("CDFILIBPAG;NRLANBOLPAG"), {QString(), QString()});
    }
};

void BM_RuleMarkAll(benchmark::State& state) {
    Detached rows;
    for (auto _ : state) {
        state.PauseTiming();
        rows.marks.UnmarkAll();
        state.ResumeTiming();
        rows.marks.MarkAll([] { return true; });
    }
    state.counters["marked"] = rows.marked.RecordCount();
}
BENCHMARK(BM_RuleMarkAll)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RuleUnmarkAll(benchmark::State& state) {
    Detached rows;
    for (auto _ : state) {
        state.PauseTiming();
        rows.marks.MarkAll([] { return true; });
        state.ResumeTiming();
        rows.marks.UnmarkAll();
    }
    state.counters["marked"] = rows.marked.RecordCount();
}
BENCHMARK(BM_RuleUnmarkAll)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RuleReloadRestoring5000(benchmark::State& state) {
    Detached rows;
    for (int row = 0; row < rows.list.RecordCount(); row += 2) {
        rows.list.SetRecNo(row);
        rows.marks.Toggle();
    }
    for (auto _ : state) {
        host::codec::DecodeInto(rows.json, rows.list);
        rows.marks.Restore();
    }
    state.counters["marked"] = rows.marked.RecordCount();
}
BENCHMARK(BM_RuleReloadRestoring5000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return bench_support::RunScreenBenchmarks(
        argc, argv, "path of a database made with `rec18000-db generate --scale 1`", g_road);
}
