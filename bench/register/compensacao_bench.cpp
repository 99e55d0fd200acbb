// GetCompensacao for a whole year, end to end through the screen: server query and encoding,
// transfer, decoding, record set ready and the list grid painting its first rows; and the same
// road split into its parts.
//
//   REC18000_BENCH_DB=/tmp/big.db build/bin/bench_register
// with a database from `rec18000-db --database sqlite:/tmp/big.db generate --scale 100`.

#include "bench/support/screenroad.h"
#include "data/codec.h"
#include "data/recordset.h"
#include "host/net/netconnection.h"
#include "module/cli_rec18002.h"
#include "register/filtrocomprec.h"
#include "register/frmcompcontrec.h"

#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

// The screen standing on company 01 with a list filter of one whole year.
struct Road : bench_support::ScreenRoad {
    QVariantList params;

    explicit Road(const QString& path) : ScreenRoad(path, "GetCompensacao") {
        const QDate today = QDate::currentDate();
        Cli_rec18002::TFILTRO& filtro = Cli_rec18002::frmFiltroCompRec->Filtro;
        filtro.DtCompIni = today.addYears(-1).startOfDay();
        filtro.DtCompFin = today.startOfDay();
        params = {QStringLiteral("01"), today.addYears(-1), today,    QVariant(),
                  QVariant(),           QString(),          QString()};
    }
    QTableView* Grid() const { return screen->findChild<QTableView*>(QStringLiteral("dbgPadrao")); }
};

Road* g_road = nullptr;

void BM_EndToEnd(benchmark::State& state) {
    double serverMs = 0;
    for (auto _ : state) {
        g_road->screen->GetCompensacao(false, QString());
        g_road->Grid()->viewport()->repaint();
        serverMs += g_road->ServerMs();
    }
    state.counters["rows"] = g_road->screen->cdsCompensacao->RecordCount();
    state.counters["server_ms"] = serverMs / double(state.iterations());
}
BENCHMARK(BM_EndToEnd)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ServerAndTransfer(benchmark::State& state) {
    double serverMs = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const host::NetAnswer answer =
            g_road->screen->netCompContRec->Call(QStringLiteral("GetCompensacao"), g_road->params);
        bytes = answer.Json().size();
        serverMs += g_road->ServerMs();
    }
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["server_ms"] = serverMs / double(state.iterations());
}
BENCHMARK(BM_ServerAndTransfer)->Unit(benchmark::kMillisecond)->Iterations(5);

QByteArray YearJson() {
    return g_road->screen->netCompContRec->Call(QStringLiteral("GetCompensacao"), g_road->params)
        .Json();
}

void BM_Decode(benchmark::State& state) {
    const QByteArray json = YearJson();
    host::RecordSet rows;
    for (auto _ : state)
        host::codec::DecodeInto(json, rows);
    state.counters["rows"] = rows.RecordCount();
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond)->Iterations(5);

// Decoding into the screen's record set: bound controls, the grid's model and the first rows
// painted.
void BM_DecodeIntoScreen(benchmark::State& state) {
    const QByteArray json = YearJson();
    for (auto _ : state) {
        host::codec::DecodeInto(json, *g_road->screen->cdsCompensacao);
        g_road->Grid()->viewport()->repaint();
    }
}
BENCHMARK(BM_DecodeIntoScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return bench_support::RunScreenBenchmarks(
        argc, argv, "path of a database made with `rec18000-db generate --scale 100`", g_road);
}
