#include "BankSource.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

QString BankIssue::toString() const
{
    if (line > 0)
        return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
    return QStringLiteral("%1: %2").arg(file, message);
}

namespace {

// Text with the escapes resolved. An unescaped brace is reported through `strayBrace`.
QString unescape(const QString& text, bool* strayBrace)
{
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('n')) {
                result.append(QLatin1Char('\n'));
                ++i;
                continue;
            }
            if (QStringLiteral("{}=~#:\\").contains(next)) {
                result.append(next);
                ++i;
                continue;
            }
        }
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && strayBrace)
            *strayBrace = true;
        result.append(c);
    }
    return result;
}

// The position of the first `wanted` character that no backslash escapes, or -1.
int findUnescaped(const QString& text, QChar wanted, int from = 0)
{
    for (int i = from; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (text[i] == wanted)
            return i;
    }
    return -1;
}

// Whether the text, trimmed, ends with a closing brace that no backslash escapes.
bool endsWithClosingBrace(const QString& text, QString* before)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.endsWith(QLatin1Char('}')))
        return false;
    int backslashes = 0;
    for (int i = trimmed.size() - 2; i >= 0 && trimmed[i] == QLatin1Char('\\'); --i)
        ++backslashes;
    if (backslashes % 2 == 1)
        return false;
    *before = trimmed.left(trimmed.size() - 1);
    return true;
}

class Parser {
public:
    Parser(const QString& fileName, QVector<BankIssue>& issues)
        : m_fileName(fileName), m_issues(issues)
    {
    }

    QVector<BankItem> run(const QString& text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int n = 0; n < lines.size(); ++n) {
            QString line = lines[n];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            handle(line, n + 1);
        }
        if (m_state != State::Outside)
            issue(m_item.line, QStringLiteral("the item is not closed: a line with } is missing"));
        if (m_exam < 0)
            issue(0, QStringLiteral("$EXAM is not given"));
        if (!m_pending.isEmpty())
            issue(m_pendingLine, QStringLiteral("directives after the last item"));
        return m_items;
    }

private:
    enum class State { Outside, Question, Answers, Explanation };

    void issue(int line, const QString& message) { m_issues.append({m_fileName, line, message}); }

    void handle(const QString& line, int number)
    {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("//")))
            return;
        switch (m_state) {
        case State::Outside:
            outside(line, trimmed, number);
            break;
        case State::Question:
            question(line, number);
            break;
        case State::Answers:
            answers(trimmed, number);
            break;
        case State::Explanation:
            explanation(line, trimmed, number);
            break;
        }
    }

    void outside(const QString& line, const QString& trimmed, int number)
    {
        if (trimmed.isEmpty())
            return;
        if (trimmed.startsWith(QLatin1Char('$'))) {
            directive(trimmed, number);
            return;
        }
        startItem(number);
        QString rest = line;
        if (trimmed.startsWith(QLatin1String("::"))) {
            const QString afterOpen = trimmed.mid(2);
            int close = -1;
            for (int i = 0; i + 1 < afterOpen.size(); ++i) {
                if (afterOpen[i] == QLatin1Char('\\')) {
                    ++i;
                    continue;
                }
                if (afterOpen[i] == QLatin1Char(':') && afterOpen[i + 1] == QLatin1Char(':')) {
                    close = i;
                    break;
                }
            }
            if (close < 0) {
                issue(number, QStringLiteral("the title is not closed with ::"));
                rest = QString();
            } else {
                m_item.title = unescape(afterOpen.left(close), nullptr).trimmed();
                rest = afterOpen.mid(close + 2);
            }
        }
        question(rest, number);
    }

    void directive(const QString& trimmed, int number)
    {
        static const QRegularExpression form(QStringLiteral(R"(^\$([A-Z0-9]+)\s*:\s*(.*)$)"));
        const QRegularExpressionMatch match = form.match(trimmed);
        if (!match.hasMatch()) {
            issue(number, QStringLiteral("a directive reads $NAME: value"));
            return;
        }
        const QString name = match.captured(1);
        const QString value = match.captured(2).trimmed();
        if (name == QLatin1String("EXAM")) {
            if (m_exam >= 0) {
                issue(number, QStringLiteral("$EXAM is given twice"));
                return;
            }
            if (!m_items.isEmpty())
                issue(number, QStringLiteral("$EXAM must come before the first item"));
            bool ok = false;
            const int exam = value.toInt(&ok);
            if (!ok || exam < 0 || exam > 6) {
                issue(number, QStringLiteral("$EXAM must be 0 to 6, not \"%1\"").arg(value));
                m_exam = 0;
                return;
            }
            m_exam = exam;
            return;
        }
        static const QSet<QString> itemDirectives = {
            QStringLiteral("SECTION"), QStringLiteral("TYPE"), QStringLiteral("EXHIBIT1"),
            QStringLiteral("EXHIBIT2"), QStringLiteral("SIM")};
        if (!itemDirectives.contains(name)) {
            issue(number, QStringLiteral("unknown directive $%1").arg(name));
            return;
        }
        if (m_pending.contains(name)) {
            issue(number, QStringLiteral("$%1 is given twice for one item").arg(name));
            return;
        }
        if (m_pending.isEmpty())
            m_pendingLine = number;
        m_pending.insert(name, {value, number});
    }

    void startItem(int number)
    {
        m_item = BankItem();
        m_item.file = m_fileName;
        m_item.line = number;
        m_item.exam = m_exam;
        m_questionLines.clear();
        m_explanationLines.clear();

        const auto section = m_pending.value(QStringLiteral("SECTION"));
        if (!section.first.isEmpty()) {
            bool ok = false;
            m_item.section = section.first.toInt(&ok);
            if (!ok || m_item.section < 1 || m_item.section > 7) {
                issue(section.second,
                      QStringLiteral("$SECTION must be 1 to 7, not \"%1\"").arg(section.first));
                m_item.section = -1;
            }
        }
        const auto type = m_pending.value(QStringLiteral("TYPE"));
        if (type.first == QLatin1String("multiple"))
            m_item.multiple = true;
        else if (!type.first.isEmpty() && type.first != QLatin1String("single"))
            issue(type.second,
                  QStringLiteral("$TYPE must be single or multiple, not \"%1\"").arg(type.first));
        m_item.exhibit1 = m_pending.value(QStringLiteral("EXHIBIT1")).first;
        m_item.exhibit1Line = m_pending.value(QStringLiteral("EXHIBIT1")).second;
        m_item.exhibit2 = m_pending.value(QStringLiteral("EXHIBIT2")).first;
        m_item.exhibit2Line = m_pending.value(QStringLiteral("EXHIBIT2")).second;
        m_item.sim = unescape(m_pending.value(QStringLiteral("SIM")).first, nullptr);
        m_pending.clear();
        m_state = State::Question;
    }

    void question(const QString& line, int number)
    {
        const int open = findUnescaped(line, QLatin1Char('{'));
        if (open < 0) {
            m_questionLines.append(line);
            return;
        }
        m_questionLines.append(line.left(open));
        bool stray = false;
        m_item.question = unescape(m_questionLines.join(QLatin1Char('\n')), &stray).trimmed();
        if (stray)
            issue(m_item.line, QStringLiteral("an unescaped } in the question (write \\})"));
        const QString rest = line.mid(open + 1).trimmed();
        if (!rest.isEmpty())
            issue(number, QStringLiteral("the choices go on lines of their own after {"));
        m_state = State::Answers;
    }

    void answers(const QString& trimmed, int number)
    {
        if (trimmed.isEmpty())
            return;
        if (trimmed == QLatin1String("}")) {
            finishItem(number);
            return;
        }
        if (trimmed.startsWith(QLatin1String("####"))) {
            m_item.hasExplanation = true;
            m_state = State::Explanation;
            explanation(trimmed.mid(4), trimmed.mid(4).trimmed(), number);
            return;
        }
        const QChar mark = trimmed[0];
        if (mark != QLatin1Char('=') && mark != QLatin1Char('~')) {
            issue(number, QStringLiteral("expected a choice (= or ~), #### or }"));
            return;
        }
        bool stray = false;
        const QString choice = unescape(trimmed.mid(1), &stray).trimmed();
        if (stray)
            issue(number, QStringLiteral("an unescaped brace in a choice (write \\{ or \\})"));
        m_item.choices.append(choice);
        m_item.keys.append(mark == QLatin1Char('='));
    }

    void explanation(const QString& line, const QString& trimmed, int number)
    {
        QString before;
        if (trimmed == QLatin1String("}") || endsWithClosingBrace(line, &before)) {
            if (trimmed != QLatin1String("}"))
                m_explanationLines.append(before);
            finishItem(number);
            return;
        }
        m_explanationLines.append(line);
    }

    void finishItem(int number)
    {
        // Explanation lines flow together; a blank line starts a new paragraph.
        QStringList paragraphs;
        QStringList current;
        for (const QString& line : m_explanationLines) {
            if (line.trimmed().isEmpty()) {
                if (!current.isEmpty())
                    paragraphs.append(current.join(QLatin1Char(' ')));
                current.clear();
            } else {
                current.append(line.trimmed());
            }
        }
        if (!current.isEmpty())
            paragraphs.append(current.join(QLatin1Char(' ')));
        bool stray = false;
        m_item.explanation = unescape(paragraphs.join(QLatin1Char('\n')), &stray).trimmed();
        if (stray)
            issue(number,
                  QStringLiteral("an unescaped brace in the explanation (write \\{ or \\})"));
        m_items.append(m_item);
        m_state = State::Outside;
    }

    QString m_fileName;
    QVector<BankIssue>& m_issues;
    QVector<BankItem> m_items;
    State m_state = State::Outside;
    int m_exam = -1;
    QMap<QString, QPair<QString, int>> m_pending;
    int m_pendingLine = 0;
    BankItem m_item;
    QStringList m_questionLines;
    QStringList m_explanationLines;
};

} // namespace

QVector<BankItem> BankSource::parse(const QString& fileName, const QString& text,
                                    QVector<BankIssue>& issues)
{
    Parser parser(fileName, issues);
    return parser.run(text);
}

void BankSource::checkItem(const BankItem& item, QVector<BankIssue>& issues)
{
    auto report = [&](const QString& message) {
        issues.append({item.file, item.line, message});
    };
    if (item.section == 0)
        report(QStringLiteral("$SECTION is not given for this item"));
    if (item.question.isEmpty())
        report(QStringLiteral("the question is empty"));
    if (item.choices.size() < 3 || item.choices.size() > 6)
        report(QStringLiteral("an item has 3 to 6 choices, this one %1").arg(item.choices.size()));
    for (int i = 0; i < item.choices.size(); ++i) {
        if (item.choices[i].isEmpty())
            report(QStringLiteral("choice %1. is empty").arg(QChar('a' + i)));
    }
    const int correct = int(item.keys.count(true));
    if (!item.multiple && correct != 1)
        report(QStringLiteral("a single-response item has exactly one correct choice, this one "
                              "%1")
                   .arg(correct));
    if (item.multiple && correct < 2)
        report(QStringLiteral("a multiple-response item has at least two correct choices, this "
                              "one %1")
                   .arg(correct));
    if (item.explanation.isEmpty())
        report(QStringLiteral("the explanation is missing or empty (write it after ####)"));
}

void BankSource::checkBank(const QVector<BankItem>& items, QVector<BankIssue>& issues)
{
    const QString bank = QStringLiteral("bank");
    int multiple = 0;
    int exhibits = 0;
    QMap<int, int> perExam;
    QMap<int, QSet<int>> sectionsPerExam;
    for (const BankItem& item : items) {
        multiple += item.multiple ? 1 : 0;
        exhibits += item.exhibit1.isEmpty() ? 0 : 1;
        ++perExam[item.exam];
        sectionsPerExam[item.exam].insert(item.section);
    }
    for (int exam = 1; exam <= 6; ++exam) {
        const QString name = QStringLiteral("Practice Exam %1").arg(QChar('A' + exam - 1));
        if (perExam.value(exam) < 30) {
            issues.append({bank, 0,
                           QStringLiteral("%1 has %2 items, fewer than 30")
                               .arg(name)
                               .arg(perExam.value(exam))});
        }
        for (int section = 1; section <= 7; ++section) {
            if (!sectionsPerExam.value(exam).contains(section)) {
                issues.append(
                    {bank, 0,
                     QStringLiteral("%1 has no item of section %2").arg(name).arg(section)});
            }
        }
    }
    if (multiple * 4 < items.size()) {
        issues.append({bank, 0,
                       QStringLiteral("%1 of %2 items are multiple response, fewer than "
                                      "a quarter")
                           .arg(multiple)
                           .arg(items.size())});
    }
    if (exhibits < 8)
        issues.append(
            {bank, 0, QStringLiteral("%1 items carry an exhibit, fewer than 8").arg(exhibits)});
}
