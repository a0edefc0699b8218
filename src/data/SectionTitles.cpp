#include "SectionTitles.h"

const QStringList& SectionTitles::all()
{
    static const QStringList titles = {
        QStringLiteral("Planning"),
        QStringLiteral("Installation and Configuration"),
        QStringLiteral("Configuring and Managing Resource Access"),
        QStringLiteral("Integration and Interoperability"),
        QStringLiteral("Running Applications"),
        QStringLiteral("Monitoring and Optimization"),
        QStringLiteral("Troubleshooting"),
    };
    return titles;
}

bool SectionTitles::isValid(int number)
{
    return number >= 1 && number <= Count;
}

QString SectionTitles::title(int number)
{
    return isValid(number) ? all().at(number - 1) : QString();
}
