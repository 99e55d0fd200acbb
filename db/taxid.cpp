#include "db/taxid.h"

#include <array>

namespace db {

namespace {

int CheckDigit(const QString& digits, const int* weights, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += digits.at(i).digitValue() * weights[i];
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

QString CpfDigits(const QString& stem) {
    static constexpr std::array<int, 9> first{10, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 10> second{11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    QString digits = stem + QString::number(CheckDigit(stem, first.data(), 9));
    return digits + QString::number(CheckDigit(digits, second.data(), 10));
}

QString CnpjDigits(const QString& stem) {
    static constexpr std::array<int, 12> first{5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 13> second{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    QString digits = stem + QString::number(CheckDigit(stem, first.data(), 12));
    return digits + QString::number(CheckDigit(digits, second.data(), 13));
}

bool AllDigits(const QString& text, int length) {
    if (text.size() != length)
        return false;
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

} // namespace

QString Cpf(qint64 stem) {
    return CpfDigits(QStringLiteral("%1").arg(stem % 1000000000, 9, 10, QLatin1Char('0')));
}

QString Cnpj(qint64 root, int branch) {
    return CnpjDigits(QStringLiteral("%1%2")
                          .arg(root % 100000000, 8, 10, QLatin1Char('0'))
                          .arg(branch % 10000, 4, 10, QLatin1Char('0')));
}

bool ValidCpf(const QString& digits) {
    return AllDigits(digits, 11) && CpfDigits(digits.left(9)) == digits;
}

bool ValidCnpj(const QString& digits) {
    return AllDigits(digits, 14) && CnpjDigits(digits.left(12)) == digits;
}

} // namespace db
