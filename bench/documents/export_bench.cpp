// The whole compensation list of company 01 (every date) exported through the screen's menu, as
// the operator does it: the grid's table, the file written in chunks under the progress dialog.
//
//   REC18000_BENCH_DB=/tmp/big.db build/bin/bench_documents
// with a database from `rec18000-db --database sqlite:/tmp/big.db generate --scale 100`.

#include "bench/support/screenroad.h"
#include "data/recordset.h"
#include "documents/table.h"
#include "module/cli_rec18002.h"
#include "register/filtrocomprec.h"
#include "register/frmcompcontrec.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The screen on company 01 listing every compensation date (the filter wants both ends).
struct Road : bench_support::ScreenRoad {
    explicit Road(const QString& path) : ScreenRoad(path, "GetCompensacao") {
        Cli_rec18002::TFILTRO& filtro = Cli_rec18002::frmFiltroCompRec->Filtro;
        filtro.DtCompIni = QDate(2000, 1, 1).startOfDay();
        filtro.DtCompFin = QDate::currentDate().addYears(10).startOfDay();
        screen->GetCompensacao(false, QString());
    }
};

Road* g_road = nullptr;

void Export(benchmark::State& state, const char* action, const char* name) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        g_road->dialogs->SaveAs(path);
        g_road->screen->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    state.counters["rows"] = g_road->screen->cdsCompensacao->RecordCount();
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}

void BM_ScreenCsv(benchmark::State& state) {
    Export(state, "mnuExportaCsv", "lista.csv");
}
BENCHMARK(BM_ScreenCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ScreenPdf(benchmark::State& state) {
    Export(state, "mnuExportaPdf", "lista.pdf");
}
BENCHMARK(BM_ScreenPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The table alone: the display texts of the grid's ten columns for every row.
void BM_Table(benchmark::State& state) {
    const QList<documents::ColumnOf> columns = {{"DTCOMPCONTREC", "", 0},  {"DTVENBOLREC", "", 0},
                                                {"NMRAZSOCCLIE", "", 0},   {"DOCUMENTO", "", 0},
                                                {"NRSEQVENREC", "", 0},    {"NRPARCELAREC", "", 0},
                                                {"VRATUAREC", "", 0},      {"VRFINALBREC", "", 0},
                                                {"QTITCOMCONTREC", "", 0}, {"IDSTATREC", "", 0}};
    for (auto _ : state)
        benchmark::DoNotOptimize(documents::TableOf(*g_road->screen->cdsCompensacao, columns));
}
BENCHMARK(BM_Table)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return bench_support::RunScreenBenchmarks(
        argc, argv, "set REC18000_BENCH_DB to a database made by rec18000-db generate --scale 100",
        g_road);
}
