// Record set and codec throughput on the compensation list's shape (44 fields).
#include "host/data/codec.h"
#include "host/data/recordset.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using host::FieldDef;
using host::FieldType;

struct Column {
    const char* name;
    FieldType type;
    int size;
};

constexpr Column kCompensacao[] = {
    {"DTCOMPCONTREC", FieldType::DateTime, 0},   {"NMRAZSOCCLIE", FieldType::String, 50},
    {"DTVENBOLREC", FieldType::DateTime, 0},     {"DOCUMENTO", FieldType::String, 26},
    {"NRSEQVENREC", FieldType::String, 2},       {"NRPARCELAREC", FieldType::String, 2},
    {"VRATUAREC", FieldType::Float, 0},          {"VRFINALBREC", FieldType::Float, 0},
    {"QTITCOMCONTREC", FieldType::Float, 0},     {"IDSTATREC", FieldType::String, 1},
    {"CDEMPRESA", FieldType::String, 2},         {"NRLANCCOMPREC", FieldType::String, 10},
    {"CDFILIAL", FieldType::String, 4},          {"NRLANBOLREC", FieldType::String, 10},
    {"CDOPERLANCOMREC", FieldType::String, 12},  {"CDCLIENTE", FieldType::String, 21},
    {"CDTPBAIXAREC", FieldType::String, 2},      {"CDTPBAIXAPAG", FieldType::String, 2},
    {"CDAJUCTPAG", FieldType::String, 4},        {"CDREDUCONT", FieldType::String, 3},
    {"DTBAIXACOMPREC", FieldType::DateTime, 0},  {"CDFILIALBAIREC", FieldType::String, 4},
    {"NRBAIXAREC", FieldType::String, 10},       {"CDFILIALBAIPAG", FieldType::String, 4},
    {"NRBAIXAPAG", FieldType::String, 10},       {"IDTPITUTLCOMREC", FieldType::String, 1},
    {"DTLANCOMCONTREC", FieldType::DateTime, 0}, {"VRTOTALCOMREC", FieldType::Float, 0},
    {"NRINSJURCLIE", FieldType::String, 20},     {"IDTPIJURCLIE", FieldType::String, 1},
    {"NMOPERADOR", FieldType::String, 40},       {"DSAJUCTPAG", FieldType::String, 40},
    {"NMTPBAIXAPAG", FieldType::String, 50},     {"DSAJUCTREC", FieldType::String, 40},
    {"NMTPBAIXAREC", FieldType::String, 50},     {"CDBANCO", FieldType::String, 3},
    {"CDAGENCIA", FieldType::String, 5},         {"CDCONTCORR", FieldType::String, 10},
    {"CDPICTAGEN", FieldType::String, 10},       {"CDPICTCONT", FieldType::String, 20},
    {"NRNOTAFISC", FieldType::String, 20},       {"CDSERIE", FieldType::String, 5},
    {"DADOSCOMP", FieldType::String, 21},        {"CDAJUCTREC", FieldType::String, 4},
};

QList<FieldDef> Fields() {
    QList<FieldDef> fields;
    for (const Column& column : kCompensacao)
        fields.append(FieldDef{
            .name = QString::fromLatin1(column.name), .type = column.type, .size = column.size});
    return fields;
}

// Plausible content: names with accents, codes of digits, money with cents, dates over two
// years, a few nulls.
host::RecordSetTable Compensacoes(int rows) {
    static const QString kNames[] = {
        QStringLiteral("Comércio de Peças São João Ltda"), QStringLiteral("Padaria Pão Quente"),
        QStringLiteral("Distribuidora Açaí do Norte S/A"), QStringLiteral("Ótica Visão"),
        QStringLiteral("Construtora Horizonte Engenharia")};
    std::mt19937 random(42);
    const QDate base(2025, 1, 1);
    host::RecordSetTable table{Fields(), {}};
    table.rows.reserve(size_t(rows));
    const auto digits = [&](int width) {
        return QString::number(random() % 1000000000)
            .rightJustified(width, QLatin1Char('0'))
            .right(width);
    };
    const auto money = [&] {
        return double(random() % 10000000) / 100;
    };
    const auto date = [&] {
        return QVariant(base.addDays(random() % 730).startOfDay());
    };
    for (int r = 0; r < rows; ++r) {
        std::vector<QVariant> row;
        row.reserve(table.fields.size());
        for (const FieldDef& def : table.fields) {
            if (random() % 20 == 0) {
                row.emplace_back();
                continue;
            }
            switch (def.type) {
            case FieldType::DateTime:
                row.push_back(date());
                break;
            case FieldType::Float:
                row.emplace_back(money());
                break;
            default:
                if (def.size >= 40)
                    row.emplace_back(kNames[random() % 5].left(def.size));
                else if (def.size == 1)
                    row.emplace_back(QString(QLatin1Char("ABPNS01"[random() % 7])));
                else
                    row.emplace_back(digits(std::min(def.size, 9)));
            }
        }
        row[11] = QString::number(r + 1); // NRLANCCOMPREC: unique with CDEMPRESA
        row[10] = QStringLiteral("01");
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
        host::RecordSetTable table = host::codec::Decode(json);
        benchmark::DoNotOptimize(table.rows.data());
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
        keys.append({QStringLiteral("01"), QString::number((i * 7919) % rows + 1)});
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
