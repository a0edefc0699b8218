#pragma once

#include <QString>
#include <QStringList>

// The seven exam sections, numbered from 1.
namespace SectionTitles {
constexpr int Count = 7;

const QStringList& all();
// The title of section `number` (1 to 7); empty for a number outside that range.
QString title(int number);
bool isValid(int number);
} // namespace SectionTitles
