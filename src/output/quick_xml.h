#pragma once
// A reader for the plain XML that pattern files are written in, straight from the document's
// bytes: elements with attributes, whitespace between them and comments, in UTF-8. Anything
// beyond that plain form (a DTD, CDATA, processing instructions, another encoding, names outside
// ASCII or with a prefix, line breaks inside attribute values) or any fault stops it for good; the
// caller then reads the document again with QXmlStreamReader, which knows all of XML and words
// the faults. What it reads, it reads as QXmlStreamReader does, only several times faster.
#include <QIODevice>
#include <QStringView>
#include <string>
#include <vector>

// One attribute of the element read, valid until the next read.
struct QuickXmlAttribute {
    QStringView name() const { return m_name; }
    QStringView qualifiedName() const { return m_name; }
    QStringView value() const { return m_value; }

    QStringView m_name, m_value;
};

class QuickXml {
public:
    // Reads the document from the device a block at a time.
    explicit QuickXml(QIODevice& device);

    // Moves to the first element; false (stopped) when the document does not start plainly.
    bool readRootElement();
    // As QXmlStreamReader's: true at the next element inside the current one, false at the end
    // of the current one or once stopped.
    bool readNextStartElement();
    // Reads to the end of the current element.
    void skipCurrentElement();
    QStringView name() const { return m_name; }
    const std::vector<QuickXmlAttribute>& attributes() const { return m_attributes; }
    // The document held something this reader does not take, or a fault.
    bool stopped() const { return m_stopped; }

private:
    enum class Token { Start, End, Stop };
    Token next();
    Token stop();
    bool fill();
    // Passes whitespace and comments, all that pattern files hold between elements (text is the
    // full reader's); false at a faulty comment.
    bool skipSpaceAndComments();
    bool skipComment();
    bool readDeclaration();
    Token readStartTag();
    Token readEndTag();
    bool readName(const char*& from, const char*& to);
    bool readValue(char quote);
    void appendLatin1(const char* from, const char* to);
    bool appendUtf8(const char* from, const char* to);
    bool appendReference(const char*& at);

    QIODevice& m_device;
    std::vector<char> m_block; // the part of the document being read
    const char* m_at = nullptr;
    const char* m_end = nullptr;
    bool m_deviceDone = false;
    bool m_stopped = false;
    bool m_closePending = false; // the element just read closed itself ("/>")
    std::vector<std::string> m_open; // the names of the open elements
    std::vector<char16_t> m_text; // the current element's name and attributes
    QStringView m_name;
    std::vector<QuickXmlAttribute> m_attributes;
    // where each attribute's name and value lie in m_text, and its name in the document
    struct Span {
        std::size_t name, value, end;
        const char *rawFrom, *rawTo;
    };
    std::vector<Span> m_spans;
};
