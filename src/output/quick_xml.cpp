#include "output/quick_xml.h"

#include <QString>
#include <algorithm>
#include <cstring>

namespace {
// the block read at a time; a tag or comment longer than the least left in it stops the reader
constexpr std::size_t kBlockBytes = 1 << 20;
constexpr qsizetype kLongestToken = 64 << 10;

bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
// Printable ASCII: control characters and DEL are left to the full reader.
bool isPlain(unsigned char c) { return c >= 0x20 && c < 0x7f; }
// Characters every XML reader takes, outside the controls and the discouraged C1 range.
bool isPlainCharacter(uint c)
{
    return (c >= 0x20 && c < 0x7f) || (c >= 0xa0 && c <= 0xd7ff) || (c >= 0xe000 && c <= 0xfffd);
}

bool startsWith(const char* at, const char* end, const char* text)
{
    const std::size_t n = std::strlen(text);
    return std::size_t(end - at) >= n && std::memcmp(at, text, n) == 0;
}
} // namespace

QuickXml::QuickXml(QIODevice& device)
    : m_device(device)
    // no larger than the document: a small file costs no more than it holds
    , m_block(std::size_t(std::clamp<qint64>(device.size() - device.pos(), 1, qint64(kBlockBytes))))
{
    m_at = m_end = m_block.data();
}

bool QuickXml::fill()
{
    if (m_deviceDone || m_end - m_at >= kLongestToken)
        return false;
    const std::size_t left = std::size_t(m_end - m_at);
    std::memmove(m_block.data(), m_at, left);
    const qint64 got = m_device.read(m_block.data() + left, qint64(m_block.size() - left));
    m_deviceDone = got <= 0;
    m_at = m_block.data();
    m_end = m_at + left + std::max<qint64>(got, 0);
    return got > 0;
}

QuickXml::Token QuickXml::stop()
{
    m_stopped = true;
    return Token::Stop;
}

bool QuickXml::readRootElement()
{
    const auto refuse = [this] {
        stop();
        return false;
    };
    fill();
    if (startsWith(m_at, m_end, "\xef\xbb\xbf"))
        m_at += 3;
    if (startsWith(m_at, m_end, "<?xml") && m_end - m_at > 5 && isSpace(m_at[5]) && !readDeclaration())
        return refuse();
    if (!skipSpaceAndComments() || m_end - m_at < 2 || *m_at != '<')
        return refuse();
    ++m_at;
    return readStartTag() == Token::Start;
}

bool QuickXml::readNextStartElement() { return next() == Token::Start; }

void QuickXml::skipCurrentElement()
{
    for (int depth = 1; depth > 0;) {
        const Token t = next();
        if (t == Token::Stop)
            return;
        depth += t == Token::Start ? 1 : -1;
    }
}

QuickXml::Token QuickXml::next()
{
    if (m_stopped)
        return Token::Stop;
    if (m_closePending) {
        m_closePending = false;
        m_open.pop_back();
        return Token::End;
    }
    if (!skipSpaceAndComments() || m_at == m_end || *m_at != '<')
        return stop();
    if (m_end - m_at > 1 && m_at[1] == '/') {
        m_at += 2;
        return readEndTag();
    }
    ++m_at;
    return readStartTag();
}

bool QuickXml::skipSpaceAndComments()
{
    for (;;) {
        fill();
        while (m_at < m_end && isSpace(*m_at))
            ++m_at;
        if (m_at == m_end && fill())
            continue;
        if (!startsWith(m_at, m_end, "<!--"))
            return true;
        if (!skipComment())
            return false;
    }
}

bool QuickXml::skipComment()
{
    for (const char* c = m_at + 4; c < m_end; ++c) {
        if (*c == '-' && m_end - c > 1 && c[1] == '-') {
            // "--" may only end the comment
            if (m_end - c < 3 || c[2] != '>')
                return false;
            m_at = c + 3;
            return true;
        }
        if (!isSpace(*c) && !isPlain(static_cast<unsigned char>(*c)))
            return false;
    }
    return false;
}

bool QuickXml::readDeclaration()
{
    m_at += 5;
    const auto space = [this] {
        const char* from = m_at;
        while (m_at < m_end && isSpace(*m_at))
            ++m_at;
        return m_at > from;
    };
    // name = 'value' or "value", the value of plain characters, returned without its quotes
    const auto pseudoAttribute = [this, &space](const char* name, const char*& from, const char*& to) {
        if (!startsWith(m_at, m_end, name))
            return false;
        m_at += std::strlen(name);
        space();
        if (m_at == m_end || *m_at != '=')
            return false;
        ++m_at;
        space();
        if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
            return false;
        const char quote = *m_at++;
        from = m_at;
        while (m_at < m_end && *m_at != quote)
            if (!isNameChar(*m_at++))
                return false;
        to = m_at;
        return m_at++ < m_end;
    };
    const char *from = nullptr, *to = nullptr;
    if (!space() || !pseudoAttribute("version", from, to) || QLatin1String(from, to) != QLatin1String("1.0"))
        return false;
    bool spaced = space();
    if (spaced && startsWith(m_at, m_end, "encoding")) {
        if (!pseudoAttribute("encoding", from, to)
            || QLatin1String(from, to).compare(QLatin1String("utf-8"), Qt::CaseInsensitive) != 0)
            return false;
        spaced = space();
    }
    if (spaced && startsWith(m_at, m_end, "standalone")) {
        if (!pseudoAttribute("standalone", from, to)
            || (QLatin1String(from, to) != QLatin1String("yes") && QLatin1String(from, to) != QLatin1String("no")))
            return false;
        space();
    }
    if (!startsWith(m_at, m_end, "?>"))
        return false;
    m_at += 2;
    return true;
}

bool QuickXml::readName(const char*& from, const char*& to)
{
    if (m_at == m_end || !isNameStart(*m_at))
        return false;
    from = m_at;
    while (m_at < m_end && isNameChar(*m_at))
        ++m_at;
    to = m_at;
    return true;
}

QuickXml::Token QuickXml::readEndTag()
{
    const char *from = nullptr, *to = nullptr;
    if (m_open.empty() || !readName(from, to))
        return stop();
    while (m_at < m_end && isSpace(*m_at))
        ++m_at;
    if (m_at == m_end || *m_at != '>' || m_open.back().compare(0, std::string::npos, from, std::size_t(to - from)) != 0)
        return stop();
    ++m_at;
    m_open.pop_back();
    return Token::End;
}

QuickXml::Token QuickXml::readStartTag()
{
    const char *from = nullptr, *to = nullptr;
    if (!readName(from, to))
        return stop();
    m_text.clear();
    appendLatin1(from, to);
    m_open.emplace_back(from, std::size_t(to - from));
    std::vector<Span>& spans = m_spans;
    spans.clear();
    for (;;) {
        const char* before = m_at;
        while (m_at < m_end && isSpace(*m_at))
            ++m_at;
        if (m_at == m_end)
            return stop();
        if (*m_at == '>') {
            ++m_at;
            break;
        }
        if (*m_at == '/') {
            if (m_end - m_at < 2 || m_at[1] != '>')
                return stop();
            m_at += 2;
            m_closePending = true;
            break;
        }
        Span s {};
        // attributes are apart from the name and from each other; namespace declarations are
        // the full reader's
        if (m_at == before || !readName(s.rawFrom, s.rawTo) || startsWith(s.rawFrom, s.rawTo, "xmlns"))
            return stop();
        for (const Span& other : spans)
            if (other.rawTo - other.rawFrom == s.rawTo - s.rawFrom
                && std::memcmp(other.rawFrom, s.rawFrom, std::size_t(s.rawTo - s.rawFrom)) == 0)
                return stop();
        while (m_at < m_end && isSpace(*m_at))
            ++m_at;
        if (m_at == m_end || *m_at != '=')
            return stop();
        ++m_at;
        while (m_at < m_end && isSpace(*m_at))
            ++m_at;
        if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
            return stop();
        s.name = m_text.size();
        appendLatin1(s.rawFrom, s.rawTo);
        s.value = m_text.size();
        if (!readValue(*m_at++))
            return stop();
        s.end = m_text.size();
        spans.push_back(s);
    }
    // the views are taken once the text stops growing
    const char16_t* text = m_text.data();
    m_name = QStringView(text, qsizetype(to - from));
    m_attributes.resize(spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        m_attributes[i].m_name = QStringView(text + spans[i].name, qsizetype(spans[i].value - spans[i].name));
        m_attributes[i].m_value = QStringView(text + spans[i].value, qsizetype(spans[i].end - spans[i].value));
    }
    return Token::Start;
}

bool QuickXml::readValue(char quote)
{
    const char* from = m_at;
    bool wide = false;
    const auto flush = [&] { return wide ? appendUtf8(from, m_at) : (appendLatin1(from, m_at), true); };
    while (m_at < m_end) {
        const auto c = static_cast<unsigned char>(*m_at);
        if (c == static_cast<unsigned char>(quote)) {
            const bool taken = flush();
            ++m_at;
            return taken;
        }
        if (c == '&') {
            if (!flush() || !appendReference(m_at))
                return false;
            from = m_at;
            wide = false;
            continue;
        }
        // line breaks and tabs become spaces in a value: the full reader's work, as is '<'
        if (c == '<' || (c < 0x80 && !isPlain(c)))
            return false;
        wide = wide || c >= 0x80;
        ++m_at;
    }
    return false;
}

void QuickXml::appendLatin1(const char* from, const char* to) { m_text.insert(m_text.end(), from, to); }

bool QuickXml::appendUtf8(const char* from, const char* to)
{
    const QString text = QString::fromUtf8(from, qsizetype(to - from));
    // a faulty sequence comes back as U+FFFD: the full reader decides what it means
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pair)
            ++i;
        else if (c == QChar::ReplacementCharacter || !isPlainCharacter(c.unicode()))
            return false;
    }
    m_text.insert(m_text.end(), text.utf16(), text.utf16() + text.size());
    return true;
}

bool QuickXml::appendReference(const char*& at)
{
    const char* semicolon
        = static_cast<const char*>(std::memchr(at, ';', std::size_t(std::min<qsizetype>(m_end - at, 10))));
    if (!semicolon)
        return false;
    const QLatin1String name(at + 1, semicolon);
    static const struct {
        QLatin1String name;
        char16_t c;
    } predefined[] = { { QLatin1String("lt"), u'<' }, { QLatin1String("gt"), u'>' }, { QLatin1String("amp"), u'&' },
        { QLatin1String("quot"), u'"' }, { QLatin1String("apos"), u'\'' } };
    char16_t c = 0;
    for (const auto& p : predefined)
        if (name == p.name)
            c = p.c;
    if (c == 0) {
        // a character by number, within the characters plain text holds
        const bool hex = name.startsWith(QLatin1String("#x"));
        const QLatin1String digits = name.mid(hex ? 2 : 1);
        if (!name.startsWith(QLatin1Char('#')) || digits.isEmpty())
            return false;
        uint code = 0;
        for (const char d : digits) {
            const int v = d >= '0' && d <= '9' ? d - '0'
                : hex && d >= 'a' && d <= 'f'  ? d - 'a' + 10
                : hex && d >= 'A' && d <= 'F'  ? d - 'A' + 10
                                               : -1;
            if (v < 0)
                return false;
            code = code * (hex ? 16 : 10) + uint(v);
        }
        if (!isPlainCharacter(code))
            return false;
        c = char16_t(code);
    }
    m_text.push_back(c);
    at = semicolon + 1;
    return true;
}
