#include "searchquery.h"

#include "arabicfolding.h"

#include <algorithm>
#include <functional>

namespace zarfan {

namespace {

enum class Token { Word, Open, Close, Both, Either, Without };

struct Lexed {
    Token kind;
    QString text;
};

std::vector<Lexed> lex(const QString &typed)
{
    // Marks that show nothing and blanks of other kinds (a tab, a no-break
    // space) must not hide an operator.
    QString text = withoutInvisibleMarks(typed);
    for (QChar &c : text)
        if (c.isSpace())
            c = u' ';
    std::vector<Lexed> out;
    for (QStringView raw : QStringView(text).split(u' ', Qt::SkipEmptyParts)) {
        if (raw == u"+") {
            out.push_back({Token::Both, {}});
            continue;
        }
        if (raw == u"|") {
            out.push_back({Token::Either, {}});
            continue;
        }
        if (raw == u"-") {
            out.push_back({Token::Without, {}});
            continue;
        }
        qsizetype closing = 0;
        while (!raw.isEmpty() && raw.front() == u'(') {
            out.push_back({Token::Open, {}});
            raw = raw.mid(1);
        }
        while (!raw.isEmpty() && raw.back() == u')') {
            ++closing;
            raw.chop(1);
        }
        if (!raw.isEmpty())
            out.push_back({Token::Word, raw.toString()});
        for (; closing > 0; --closing)
            out.push_back({Token::Close, {}});
    }
    // Read the parentheses as the reader meant them: a ")" that closes
    // nothing goes, and the groups left open close at the end.
    std::vector<Lexed> balanced;
    balanced.reserve(out.size());
    int depth = 0;
    for (Lexed &t : out) {
        if (t.kind == Token::Close && depth == 0)
            continue;
        depth += t.kind == Token::Open ? 1 : t.kind == Token::Close ? -1 : 0;
        balanced.push_back(std::move(t));
    }
    for (; depth > 0; --depth)
        balanced.push_back({Token::Close, {}});
    return balanced;
}

bool isOperator(Token t) { return t == Token::Both || t == Token::Either || t == Token::Without; }

class Parser {
public:
    Parser(std::vector<Lexed> tokens, SearchQuery &query) : tokens_(std::move(tokens)), query_(query) {}

    bool parseAll()
    {
        // Too many terms are refused before any is parsed: each costs a
        // pass over the text and a count per aya.
        const auto operators = std::count_if(tokens_.begin(), tokens_.end(), [](const Lexed &t) { return isOperator(t.kind); });
        if (operators >= kSearchTermLimit)
            return false;
        query_.root = expression(0);
        return query_.root >= 0 && at_ == tokens_.size();
    }

private:
    // Deep nesting is refused rather than followed down the stack.
    static constexpr int kDepthLimit = 64;

    int expression(int depth)
    {
        int left = primary(depth);
        while (left >= 0 && at_ < tokens_.size() && isOperator(tokens_[at_].kind)) {
            const Token op = tokens_[at_++].kind;
            const int right = primary(depth);
            if (right < 0)
                return -1;
            SearchQuery::Node node;
            node.op = op == Token::Both ? SearchQuery::Op::Both : op == Token::Either ? SearchQuery::Op::Either : SearchQuery::Op::Without;
            node.left = left;
            node.right = right;
            query_.nodes.push_back(node);
            left = int(query_.nodes.size()) - 1;
        }
        return left;
    }

    int primary(int depth)
    {
        if (at_ >= tokens_.size() || depth > kDepthLimit)
            return -1;
        if (tokens_[at_].kind == Token::Open) {
            ++at_;
            const int inner = expression(depth + 1);
            if (inner < 0 || at_ >= tokens_.size() || tokens_[at_].kind != Token::Close)
                return -1;
            ++at_;
            return inner;
        }
        QStringList words;
        while (at_ < tokens_.size() && tokens_[at_].kind == Token::Word)
            words.append(tokens_[at_++].text);
        if (words.isEmpty())
            return -1;
        SearchQuery::Node node;
        node.term = words.join(u' ');
        query_.nodes.push_back(node);
        return int(query_.nodes.size()) - 1;
    }

    std::vector<Lexed> tokens_;
    SearchQuery &query_;
    std::size_t at_ = 0;
};

bool isConjunction(QChar c) { return c == u'\u0648' || c == u'\u0641'; }            // و ف
bool isPreposition(QChar c) { return c == u'\u0628' || c == u'\u0643' || c == u'\u0644'; } // ب ك ل

// What may stand before the word inside the written word.
bool allowedPrefix(QStringView p, bool lamForm)
{
    qsizetype i = 0;
    if (i < p.size() && isConjunction(p[i]))
        ++i;
    if (!lamForm && i < p.size() && isPreposition(p[i]))
        ++i;
    return i == p.size();
}

void findWritten(QStringView padded, QStringView form, bool lamForm, QList<TextRange> &found)
{
    const qsizetype n = padded.size(), m = form.size();
    for (qsizetype at = padded.indexOf(form); at >= 0 && at + m <= n; at = padded.indexOf(form, at + 1)) {
        const qsizetype end = at + m;
        if (end < n && padded[end] != u' ')
            continue;
        qsizetype start = at;
        while (start > 0 && padded[start - 1] != u' ' && at - start < 3)
            --start;
        if (start > 0 && padded[start - 1] != u' ')
            continue;
        if (allowedPrefix(padded.mid(start, at - start), lamForm))
            found.append({start, end - start});
    }
}

// A wildcard needle as a whole word, bare or after the prefixes: each
// written form matched as the statements match a word, the leftmost kept.
QList<TextRange> findPrefixedWildcard(QStringView padded, QStringView needle)
{
    static const char16_t *const prefixes[] = {u"", u"\u0648", u"\u0641", u"\u0628", u"\u0643", u"\u0644",
                                               u"\u0648\u0628", u"\u0648\u0643", u"\u0648\u0644",
                                               u"\u0641\u0628", u"\u0641\u0643", u"\u0641\u0644"};
    QList<TextRange> all;
    for (const char16_t *p : prefixes) {
        const QString form = QString::fromUtf16(p) + needle.toString();
        // A leading % already stands for any prefix.
        if (!*p || !needle.startsWith(u'%'))
            all += findOccurrences(padded, form, true);
    }
    std::sort(all.begin(), all.end(), [](const TextRange &a, const TextRange &b) {
        return a.start != b.start ? a.start < b.start : a.length < b.length;
    });
    QList<TextRange> found;
    for (const TextRange &r : all)
        if (found.isEmpty() || r.start >= found.last().start + found.last().length)
            found.append(r);
    return found;
}

} // namespace

QStringList SearchQuery::allTerms() const
{
    QStringList out;
    for (const Node &n : nodes)
        if (n.op == Op::Term)
            out.append(n.term);
    return out;
}

QStringList SearchQuery::shownTerms() const
{
    QStringList out;
    const std::function<void(int)> walk = [&](int k) {
        if (k < 0)
            return;
        const Node &n = nodes[std::size_t(k)];
        if (n.op == Op::Term) {
            out.append(n.term);
            return;
        }
        walk(n.left);
        if (n.op != Op::Without)
            walk(n.right);
    };
    walk(root);
    return out;
}

QString withoutStrayGrouping(const QString &text)
{
    if (!text.contains(u'(') && !text.contains(u')'))
        return text;
    if (hasSearchOperators(text))
        return text;
    QString plain = text;
    plain.remove(u'(').remove(u')');
    return plain.simplified();
}

bool hasSearchOperators(const QString &text)
{
    for (const Lexed &t : lex(text))
        if (isOperator(t.kind))
            return true;
    return false;
}

std::optional<SearchQuery> parseSearchQuery(const QString &text)
{
    SearchQuery query;
    Parser parser(lex(text), query);
    if (!parser.parseAll())
        return std::nullopt;
    return query;
}

QList<TextRange> findTerm(QStringView padded, QStringView needle, bool singleWord)
{
    if (needle.isEmpty())
        return {};
    // Wildcards keep the meaning the statements give them; a whole word may
    // still carry its prefixes.
    if (needle.contains(u'%') || needle.contains(u'_'))
        return singleWord ? findPrefixedWildcard(padded, needle) : findOccurrences(padded, needle, false);
    QList<TextRange> found;
    if (!singleWord) {
        const qsizetype m = needle.size();
        if (m == 1) {
            const QChar c = needle.front();
            for (qsizetype at = padded.indexOf(c); at >= 0; at = padded.indexOf(c, at + 1))
                found.append({at, 1});
            return found;
        }
        for (qsizetype at = padded.indexOf(needle); at >= 0; at = padded.indexOf(needle, at + m))
            found.append({at, m});
        return found;
    }
    findWritten(padded, needle, false, found);
    // ل before ال: the alef goes, and a third lam in a row with it (لله).
    if (needle.size() > 2 && needle.startsWith(u"\u0627\u0644")) {
        QString lam = u'\u0644' + needle.mid(1).toString();
        if (lam.startsWith(u"\u0644\u0644\u0644"))
            lam.remove(0, 1);
        const qsizetype before = found.size();
        findWritten(padded, lam, true, found);
        if (found.size() != before) {
            std::sort(found.begin(), found.end(), [](const TextRange &a, const TextRange &b) { return a.start < b.start; });
            found.erase(std::unique(found.begin(), found.end()), found.end());
        }
    }
    return found;
}

QStringList wholeWordForms(QStringView needle)
{
    const QStringView first = needle.first(needle.indexOf(u' ') < 0 ? needle.size() : needle.indexOf(u' '));
    QStringList forms;
    if (first.isEmpty())
        return forms;
    // As findWritten takes them: one of و ف, then one of ب ك ل.
    for (const QString &conjunction : {QString(), QStringLiteral("\u0648"), QStringLiteral("\u0641")})
        for (const QString &preposition : {QString(), QStringLiteral("\u0628"), QStringLiteral("\u0643"), QStringLiteral("\u0644")})
            forms.append(conjunction + preposition + first.toString());
    if (needle.size() > 2 && needle.startsWith(u"\u0627\u0644")) {
        QString lam = u'\u0644' + first.mid(1).toString();
        if (lam.startsWith(u"\u0644\u0644\u0644"))
            lam.remove(0, 1);
        for (const QString &conjunction : {QString(), QStringLiteral("\u0648"), QStringLiteral("\u0641")})
            forms.append(conjunction + lam);
    }
    forms.removeDuplicates();
    return forms;
}

QList<TextRange> termRanges(QStringView display, const QStringList &foldedTerms, bool singleWord)
{
    const WordMap map = mapWords(display, WordForm::Folded);
    std::vector<qsizetype> starts, ends;
    for (qsizetype k = 1; k < map.padded.size(); ++k) {
        if (map.padded[k - 1] == u' ' && map.padded[k] != u' ')
            starts.push_back(k);
        if (map.padded[k - 1] != u' ' && map.padded[k] == u' ')
            ends.push_back(k);
    }
    std::vector<bool> marked(starts.size(), false);
    for (const QString &term : foldedTerms) {
        for (const TextRange &hit : findTerm(map.padded, term, singleWord)) {
            for (std::size_t w = 0; w < starts.size() && w < ends.size(); ++w)
                if (starts[w] < hit.start + hit.length && hit.start < ends[w])
                    marked[w] = true;
        }
    }
    QList<TextRange> ranges;
    for (std::size_t w = 0; w < starts.size(); ++w) {
        if (marked[w] && (ranges.isEmpty() || !(ranges.last() == map.display.at(qsizetype(w)))))
            ranges.append(map.display.at(qsizetype(w)));
    }
    return ranges;
}

} // namespace zarfan
