// libFuzzer target: the bank source parser and its rule checks must take any bytes without
// crashing, hanging or touching memory they do not own.

#include "BankSource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QVector<BankIssue> issues;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QVector<BankItem> items = BankSource::parse(QStringLiteral("fuzz.gift"), text, issues);
    for (const BankItem& item : items)
        BankSource::checkItem(item, issues);
    BankSource::checkBank(items, issues);
    for (const BankIssue& issue : issues)
        (void)issue.toString();
    return 0;
}
