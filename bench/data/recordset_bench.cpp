// Record set and codec throughput on the compensation list's shape (44 fields).
#include "data/codec.h"
#include "data/recordset.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using host::FieldDef;
using host::FieldType;

struct Column {
    const char* name;
    FieldType type;
    int size;
    int distinct; // values a column takes: 0 unique per row, else drawn from a pool this big
};

constexpr Column kCompensacao[] = {
    {"DTCOMPCONTREC", FieldType::DateTime, 0, 0},   {"NMRAZSOCCLIE", FieldType::String, 50, 2000},
    {"DTVENBOLREC", FieldType::DateTime, 0, 0},     {"DOCUMENTO", FieldType::String, 26, 0},
    {"NRSEQVENREC", FieldType::String, 2, 5},       {"NRPARCELAREC", FieldType::String, 2, 12},
    {"VRATUAREC", FieldType::Float, 0, 0},          {"VRFINALBREC", FieldType::Float, 0, 0},
    {"QTITCOMCONTREC", FieldType::Float, 0, 0},     {"IDSTATREC", FieldType::String, 1, 3},
    {"CDEMPRESA", FieldType::String, 2, 1},         {"NRLANCCOMPREC", FieldType::String, 10, 0},
    {"CDFILIAL", FieldType::String, 4, 20},         {"NRLANBOLREC", FieldType::String, 10, 0},
    {"CDOPERLANCOMREC", FieldType::String, 12, 50}, {"CDCLIENTE", FieldType::String, 21, 2000},
    {"CDTPBAIXAREC", FieldType::String, 2, 10},     {"CDTPBAIXAPAG", FieldType::String, 2, 10},
    {"CDAJUCTPAG", FieldType::String, 4, 10},       {"CDREDUCONT", FieldType::String, 3, 30},
    {"DTBAIXACOMPREC", FieldType::DateTime, 0, 0},  {"CDFILIALBAIREC", FieldType::String, 4, 20},
    {"NRBAIXAREC", FieldType::String, 10, 0},       {"CDFILIALBAIPAG", FieldType::String, 4, 20},
    {"NRBAIXAPAG", FieldType::String, 10, 0},       {"IDTPITUTLCOMREC", FieldType::String, 1, 2},
    {"DTLANCOMCONTREC", FieldType::DateTime, 0, 0}, {"VRTOTALCOMREC", FieldType::Float, 0, 0},
    {"NRINSJURCLIE", FieldType::String, 20, 2000},  {"IDTPIJURCLIE", FieldType::String, 1, 2},
    {"NMOPERADOR", FieldType::String, 40, 50},      {"DSAJUCTPAG", FieldType::String, 40, 10},
    {"NMTPBAIXAPAG", FieldType::String, 50, 10},    {"DSAJUCTREC", FieldType::String, 40, 10},
    {"NMTPBAIXAREC", FieldType::String, 50, 10},    {"CDBANCO", FieldType::String, 3, 10},
    {"CDAGENCIA", FieldType::String, 5, 100},       {"CDCONTCORR", FieldType::String, 10, 30},
    {"CDPICTAGEN", FieldType::String, 10, 5},       {"CDPICTCONT", FieldType::String, 20, 5},
    {"NRNOTAFISC", FieldType::String, 20, 0},       {"CDSERIE", FieldType::String, 5, 5},
    {"DADOSCOMP", FieldType::String, 21, 0},        {"CDAJUCTREC", FieldType::String, 4, 10},
};

QList<FieldDef> Fields() {
    QList<FieldDef> fields;
    for (const Column& column : kCompensacao)
        fields.append(FieldDef{
            .name = QString::fromLatin1(column.name), .type = column.type, .size = column.size});
    return fields;
}

// The k-th value of a text column: names with accents for long columns, digits otherwise.
QString Text(const Column& column, int k) {
    static const QString kNames[] = {
        QStringLiteral("Comércio de Peças São João"), QStringLiteral("Padaria Pão Quente"),
        QStringLiteral("Distribuidora Açaí do Norte"), QStringLiteral("Ótica Visão"),
        QStringLiteral("Construtora Horizonte")};
    if (column.size >= 40)
        return (kNames[k % 5] + QStringLiteral(" %1 Ltda").arg(k)).left(column.size);
    if (column.size == 1)
        return QString(QLatin1Char("APBNS01"[k % 7]));
    return QString::number(k * 7 + 1)
        .rightJustified(std::min(column.size, 6), QLatin1Char('0'))
        .right(column.size);
}

// Plausible content: reference codes and names from small pools, numbers unique, money with
// cents, dates over two years, one null in twenty cells.
host::RecordSetTable Compensacoes(int rows) {
    std::mt19937 random(42);
    const QDate base(2025, 1, 1);
    QList<QDateTime> days;
    for (int i = 0; i < 730; ++i)
        days.append(base.addDays(i).startOfDay());
    host::RecordSetTable table{Fields(), {}};
    table.rows.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r) {
        std::vector<QVariant> row;
        row.reserve(table.fields.size());
        for (const Column& column : kCompensacao) {
            if (random() % 20 == 0 && column.distinct > 1) {
                row.emplace_back();
                continue;
            }
            switch (column.type) {
            case FieldType::DateTime:
                row.emplace_back(days[random() % 730]);
                break;
            case FieldType::Float:
                row.emplace_back(double(random() % 10000000) / 100);
                break;
            default:
                row.emplace_back(
                    Text(column, column.distinct ? int(random() % column.distinct) : r));
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

void BM_Encode(benchmark::State& state) {
    host::RecordSet rs;
    rs.SetTable(Compensacoes(int(state.range(0))));
    size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray json = rs.Data();
        bytes += size_t(json.size());
        benchmark::DoNotOptimize(json.constData());
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_Encode)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Decode(benchmark::State& state) {
    const QByteArray json = host::codec::Encode(Compensacoes(int(state.range(0))));
    for (auto _ : state) {
        auto table = std::make_unique<host::RecordSetTable>(host::codec::Decode(json));
        benchmark::DoNotOptimize(table->rows.data());
        state.PauseTiming(); // freeing the table is not decoding; BM_SetData includes it
        table.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
    state.counters["MB"] = double(json.size()) / 1e6;
}
BENCHMARK(BM_Decode)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SetData(benchmark::State& state) {
    const QByteArray json = host::codec::Encode(Compensacoes(int(state.range(0))));
    host::RecordSet rs;
    for (auto _ : state)
        rs.SetData(json);
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
}
BENCHMARK(BM_SetData)->Arg(100000)->Unit(benchmark::kMillisecond);

// A handler walking a list of 10,000 keys and locating each in a 10,000-row set; the index
// is built afresh in every iteration.
void BM_LocateLoop(benchmark::State& state) {
    const int rows = int(state.range(0));
    const host::RecordSetTable table = Compensacoes(rows);
    host::RecordSet rs;
    QList<QVariantList> keys;
    for (int i = 0; i < rows; ++i)
        keys.append({QStringLiteral("01"), Text(kCompensacao[11], (i * 7919) % rows)});
    for (auto _ : state) {
        state.PauseTiming();
        rs.SetTable(table);
        state.ResumeTiming();
        int found = 0;
        for (const QVariantList& key : keys)
            found += rs.Locate(QStringLiteral("CDEMPRESA;NRLANCCOMPREC"), key) ? 1 : 0;
        if (found != rows)
            state.SkipWithError("a key was not found");
    }
}
BENCHMARK(BM_LocateLoop)->Arg(10000)->Unit(benchmark::kMillisecond);

// A handler deleting, customer by customer, the first row of each (five rows a customer): every
// deletion leaves the key to the customer's next row.
void BM_LocateDeleteLoop(benchmark::State& state) {
    const int rows = int(state.range(0));
    const host::RecordSetTable table = Compensacoes(rows);
    host::RecordSet rs;
    QList<QVariantList> keys;
    for (int k = 0; k < kCompensacao[15].distinct; ++k)
        keys.append({Text(kCompensacao[15], k)});
    for (auto _ : state) {
        state.PauseTiming();
        rs.SetTable(table);
        state.ResumeTiming();
        for (const QVariantList& key : keys)
            if (rs.Locate(QStringLiteral("CDCLIENTE"), key))
                rs.Delete();
    }
}
BENCHMARK(BM_LocateDeleteLoop)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_AppendRow(benchmark::State& state) {
    const host::RecordSetTable table = Compensacoes(int(state.range(0)));
    host::RecordSet rs;
    rs.SetFieldDefs(table.fields);
    for (auto _ : state) {
        rs.CreateDataSet();
        for (const auto& row : table.rows)
            rs.AppendRow(row);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_AppendRow)->Arg(100000)->Unit(benchmark::kMillisecond);

// The screen's way: Append, set a few fields, Post.
void BM_AppendPost(benchmark::State& state) {
    host::RecordSet rs;
    rs.SetFieldDefs(Fields());
    host::Field& number = rs.FieldByName(QStringLiteral("NRLANCCOMPREC"));
    host::Field& company = rs.FieldByName(QStringLiteral("CDEMPRESA"));
    host::Field& total = rs.FieldByName(QStringLiteral("VRTOTALCOMREC"));
    for (auto _ : state) {
        rs.CreateDataSet();
        for (int r = 0; r < state.range(0); ++r) {
            rs.Append();
            company.SetAsString(QStringLiteral("01"));
            number.SetAsString(QString::number(r));
            total.SetAsFloat(r * 0.25);
            rs.Post();
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_AppendPost)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
