#include "office/CsvReader.h"

#include <csv.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace CsvReader {
namespace {

// libcsv's state between records.
constexpr int RowNotBegun = 0;

struct ParserDeleter
{
    void operator()(csv_parser *p) const
    {
        csv_free(p);
        delete p;
    }
};
using Parser = std::unique_ptr<csv_parser, ParserDeleter>;

int keepBlanks(unsigned char)
{
    return 0;
}

Parser newParser()
{
    Parser parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI) != 0)
        return nullptr;
    csv_set_space_func(parser.get(), keepBlanks);
    return parser;
}

struct Collector
{
    Content content;
    Record current;
    int startLine = 1;
};

void onField(void *field, size_t size, void *data)
{
    auto *c = static_cast<Collector *>(data);
    c->current.fields.append(QByteArray(static_cast<const char *>(field), qsizetype(size)));
}

void onRecordEnd(int, void *data)
{
    auto *c = static_cast<Collector *>(data);
    c->current.line = c->startLine;
    c->content.records.append(std::move(c->current));
    c->current = {};
}

// Where the physical line starting at `pos` ends, past its line break: LF,
// CR LF or a CR alone (older office programs write that).
qsizetype lineEnd(QByteArrayView bytes, qsizetype pos)
{
    for (qsizetype i = pos; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return i + 1;
        if (bytes[i] == '\r')
            return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return bytes.size();
}

} // namespace

Content read(QByteArrayView bytes)
{
    Collector collector;
    Parser parser = newParser();
    if (!parser) {
        collector.content.problems.append({1, u"CSV okuyucu başlatılamadı"_s});
        return collector.content;
    }
    qsizetype pos = 0;
    int line = 1;
    // One physical line at a time, so a record knows the line it starts on.
    while (pos < bytes.size()) {
        const qsizetype end = lineEnd(bytes, pos);
        if (parser->pstate == RowNotBegun)
            collector.startLine = line;
        const size_t size = size_t(end - pos);
        if (csv_parse(parser.get(), bytes.data() + pos, size, onField, onRecordEnd, &collector)
            != size) {
            collector.content.problems.append(
                {collector.startLine, u"CSV yazımı bozuk: tırnak içinde olmayan tırnak işareti"_s});
            // Start again on the next line; the broken record is dropped.
            collector.current = {};
            parser = newParser();
            if (!parser)
                return collector.content;
        }
        pos = end;
        ++line;
    }
    if (csv_fini(parser.get(), onField, onRecordEnd, &collector) != 0) {
        collector.content.problems.append(
            {collector.startLine, u"CSV yazımı bozuk: kapanmayan tırnak"_s});
    }
    return collector.content;
}

} // namespace CsvReader
