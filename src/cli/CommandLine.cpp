#include "cli/CommandLine.h"

#include "cli/PasswordFile.h"
#include "core/AppLanguage.h"
#include "core/RecognitionLanguages.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <utility>

namespace CommandLine {

namespace {

QString absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

// Walks the arguments once; options may be written "--name=value" or "-o value".
class Reader {
public:
    explicit Reader(QStringList arguments) : m_arguments(std::move(arguments)) {}

    bool atEnd() const { return m_index >= m_arguments.size(); }
    QString next() { return m_arguments.at(m_index++); }
    std::optional<QString> valueAfter()
    {
        if (atEnd()) {
            return std::nullopt;
        }
        return next();
    }

private:
    QStringList m_arguments;
    qsizetype m_index = 0;
};

std::optional<QString> longValue(const QString& argument, const QString& name)
{
    const QString prefix = QStringLiteral("--") + name + u'=';
    if (argument.startsWith(prefix)) {
        return argument.mid(prefix.size());
    }
    return std::nullopt;
}

// Common shape: options, "--password=PW" or "--password-file=FILE" applying to the next input,
// inputs. Merge's "--pages=TEXT" applies to the next input too.
struct Collected {
    QList<PDFSource> inputs;
    QStringList ranges; // one per input, empty where none was given
    std::optional<QString> output;
    std::optional<QString> folder;
    QStringList flags; // options the command interprets itself, as written
    std::optional<QString> error;
};

const QString pagesNeedText = QStringLiteral("--pages needs page numbers, e.g. --pages=3,1,5-");

Collected collect(Reader& reader, const QStringList& commandOptions, bool pagesPerInput = false)
{
    Collected collected;
    std::optional<QString> password;
    std::optional<QString> pages;
    bool standardInputRead = false;
    while (!reader.atEnd() && !collected.error) {
        const QString argument = reader.next();
        const auto inputPages = pagesPerInput ? longValue(argument, QStringLiteral("pages"))
                                              : std::nullopt;
        if (inputPages) {
            pages = *inputPages;
            if (pages->trimmed().isEmpty()) {
                collected.error = pagesNeedText;
            }
        } else if (const auto pw = longValue(argument, QStringLiteral("password"))) {
            password = *pw;
        } else if (const auto file = longValue(argument, QStringLiteral("password-file"))) {
            if (*file == QStringLiteral("-") && std::exchange(standardInputRead, true)) {
                collected.error = QStringLiteral("--password-file=- may be given only once");
                break;
            }
            auto read = PasswordFile::read(*file);
            if (const auto* unusable = std::get_if<PasswordFile::Unusable>(&read)) {
                collected.error = unusable->message;
                break;
            }
            password = std::get<QString>(std::move(read));
        } else if (argument == QStringLiteral("-o") || argument == QStringLiteral("-d")) {
            const auto value = reader.valueAfter();
            if (!value) {
                collected.error = QStringLiteral("%1 needs a path").arg(argument);
                break;
            }
            (argument == QStringLiteral("-o") ? collected.output : collected.folder) =
                absolute(*value);
        } else if (const auto out = longValue(argument, QStringLiteral("output"))) {
            collected.output = absolute(*out);
        } else if (const auto dir = longValue(argument, QStringLiteral("folder"))) {
            collected.folder = absolute(*dir);
        } else if (argument.startsWith(QStringLiteral("--"))) {
            const QString name = argument.mid(2).section(u'=', 0, 0);
            if (!commandOptions.contains(name)) {
                collected.error = QStringLiteral("unknown option %1").arg(argument);
            }
            collected.flags.append(argument);
        } else if (argument.startsWith(u'-') && argument != QStringLiteral("-")) {
            collected.error = QStringLiteral("unknown option %1").arg(argument);
        } else {
            collected.inputs.append(PDFSource{absolute(argument), password});
            collected.ranges.append(pages.value_or(QString()));
            password.reset();
            pages.reset();
        }
    }
    if (!collected.error && password) {
        collected.error = QStringLiteral("a password must come before the input it unlocks");
    }
    if (!collected.error && pages) {
        collected.error = QStringLiteral("--pages must come before the input it applies to");
    }
    return collected;
}

std::optional<QString> flagValue(const QStringList& flags, const QString& name)
{
    std::optional<QString> found;
    for (const QString& flag : flags) {
        if (const auto value = longValue(flag, name)) {
            found = value;
        } else if (flag == QStringLiteral("--") + name) {
            found = QString();
        }
    }
    return found;
}

std::variant<Command, UsageError> parseMerge(Reader& reader)
{
    Collected c = collect(reader, {}, true);
    if (c.error) {
        return UsageError{*c.error};
    }
    if (!c.output || c.inputs.isEmpty() || c.folder) {
        return UsageError{QStringLiteral("merge needs -o OUT and at least one input")};
    }
    return Merge{c.inputs, *c.output, c.ranges};
}

std::variant<Command, UsageError> parseSplit(Reader& reader)
{
    Collected c = collect(reader, {QStringLiteral("each"), QStringLiteral("every"),
                                   QStringLiteral("ranges")});
    if (c.error) {
        return UsageError{*c.error};
    }
    if (!c.folder || c.inputs.size() != 1 || c.output || c.flags.size() != 1) {
        return UsageError{QStringLiteral("split needs exactly one of --each, --every=N, "
                                         "--ranges=TEXT, -d FOLDER and one input")};
    }
    Split split;
    split.input = c.inputs.first();
    split.folder = *c.folder;
    if (const auto every = flagValue(c.flags, QStringLiteral("every"))) {
        bool ok = false;
        split.every = every->toLongLong(&ok);
        if (!ok || split.every < 1) {
            return UsageError{QStringLiteral("--every needs a whole number of pages, at least 1")};
        }
        split.mode = SplitMode::every;
    } else if (const auto ranges = flagValue(c.flags, QStringLiteral("ranges"))) {
        split.mode = SplitMode::ranges;
        split.ranges = *ranges;
    } else if (c.flags.first() != QStringLiteral("--each")) {
        return UsageError{QStringLiteral("--each takes no value")};
    }
    return split;
}

std::variant<Command, UsageError> parseDelete(Reader& reader)
{
    Collected c = collect(reader, {QStringLiteral("pages")});
    if (c.error) {
        return UsageError{*c.error};
    }
    const auto pages = flagValue(c.flags, QStringLiteral("pages"));
    if (!pages || !c.output || c.inputs.size() != 1 || c.folder) {
        return UsageError{QStringLiteral("delete needs --pages=TEXT, -o OUT and one input")};
    }
    return Delete{c.inputs.first(), *pages, *c.output};
}

std::variant<Command, UsageError> parseCompress(Reader& reader)
{
    Collected c = collect(reader, {QStringLiteral("level")});
    if (c.error) {
        return UsageError{*c.error};
    }
    if (!c.output || c.inputs.size() != 1 || c.folder || c.flags.size() > 1) {
        return UsageError{QStringLiteral("compress needs -o OUT and one input")};
    }
    Compress compress{c.inputs.first(), CompressionLevel::balanced, *c.output};
    if (const auto level = flagValue(c.flags, QStringLiteral("level"))) {
        const auto parsed = ToolOptions::compressionLevelFromRawValue(*level);
        if (!parsed) {
            return UsageError{QStringLiteral("--level must be light, balanced or strong")};
        }
        compress.level = *parsed;
    }
    return compress;
}

// "--rect=X,Y,W,H": a non-empty rectangle inside the page (0 to 1 on both axes).
std::optional<QRectF> parseRect(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    double v[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i])) {
            return std::nullopt;
        }
    }
    const double slack = 1e-9;
    if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || v[0] + v[2] > 1 + slack ||
        v[1] + v[3] > 1 + slack) {
        return std::nullopt;
    }
    return QRectF(v[0], v[1], v[2], v[3]);
}

// The k-th --signature, --page and --rect together make the k-th placement.
std::variant<Command, UsageError> parseSign(Reader& reader)
{
    Collected c = collect(reader, {QStringLiteral("signature"), QStringLiteral("page"),
                                   QStringLiteral("rect")});
    if (c.error) {
        return UsageError{*c.error};
    }
    UsageError shape{QStringLiteral(
        "sign needs -o OUT, one input and, for each signature, --signature=FILE --page=N "
        "--rect=X,Y,W,H")};
    if (!c.output || c.inputs.size() != 1 || c.folder) {
        return shape;
    }
    QStringList files;
    QStringList pages;
    QStringList rects;
    for (const QString& flag : c.flags) {
        const QString name = flag.mid(2).section(u'=', 0, 0);
        const auto value = longValue(flag, name);
        if (!value) {
            return UsageError{QStringLiteral("%1 needs a value").arg(flag)};
        }
        (name == QStringLiteral("signature") ? files
         : name == QStringLiteral("page")    ? pages
                                             : rects)
            .append(*value);
    }
    if (files.isEmpty() || files.size() != pages.size() || files.size() != rects.size()) {
        return shape;
    }
    Sign sign{c.inputs.first(), {}, *c.output};
    for (qsizetype i = 0; i < files.size(); ++i) {
        bool ok = false;
        const int page = pages[i].toInt(&ok);
        if (!ok || page < 1) {
            return UsageError{QStringLiteral("--page needs a page number, at least 1")};
        }
        const std::optional<QRectF> rect = parseRect(rects[i]);
        if (!rect) {
            return UsageError{QStringLiteral(
                "--rect needs X,Y,W,H as fractions of the page, inside it, with W and H above 0")};
        }
        sign.placements.append(SignPlacement{absolute(files[i]), page, *rect});
    }
    return sign;
}

// "RANGES:ANGLE" or "all:ANGLE", the angle a multiple of 90 degrees.
std::optional<Rotation> parseRotation(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    const QString ranges = text.left(colon).trimmed();
    bool ok = false;
    const int angle = text.mid(colon + 1).trimmed().toInt(&ok);
    if (colon < 0 || ranges.isEmpty() || !ok || angle % 90 != 0) {
        return std::nullopt;
    }
    const bool all = ranges == QStringLiteral("all");
    return Rotation{all ? std::nullopt : std::optional(ranges), angle / 90 % 4};
}

// Extract is organize with the pages it keeps named and nothing turned.
std::variant<Command, UsageError> parseOrganize(Reader& reader, bool extract)
{
    Collected c =
        collect(reader, extract ? QStringList{QStringLiteral("pages")}
                                : QStringList{QStringLiteral("pages"), QStringLiteral("rotate")});
    if (c.error) {
        return UsageError{*c.error};
    }
    Organize organize{{}, flagValue(c.flags, QStringLiteral("pages")), {}, {}};
    if (!c.output || c.inputs.size() != 1 || c.folder || (extract && !organize.order)) {
        return UsageError{extract
                              ? QStringLiteral("extract needs --pages=ORDER, -o OUT and one input")
                              : QStringLiteral("organize needs -o OUT and one input")};
    }
    if (organize.order && organize.order->trimmed().isEmpty()) {
        return UsageError{pagesNeedText};
    }
    organize.input = c.inputs.first();
    organize.output = *c.output;
    for (const QString& flag : c.flags) {
        if (!flag.startsWith(QStringLiteral("--rotate"))) {
            continue;
        }
        const auto value = longValue(flag, QStringLiteral("rotate"));
        const std::optional<Rotation> rotation = value ? parseRotation(*value) : std::nullopt;
        if (!rotation) {
            return UsageError{QStringLiteral("--rotate needs RANGES:ANGLE or all:ANGLE, ANGLE a "
                                             "multiple of 90 (90, -90, 180, 270)")};
        }
        organize.rotations.append(*rotation);
    }
    return organize;
}

// "tur+eng": known codes joined by '+', kept in one fixed order so the same choice is one job.
std::variant<QStringList, UsageError> parseLanguages(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        return UsageError{QStringLiteral("--lang needs language codes, e.g. --lang=tur+eng")};
    }
    QStringList named;
    for (const QString& piece : text.split(u'+')) {
        const QString code = piece.trimmed().toLower();
        if (!RecognitionLanguages::known().contains(code)) {
            return UsageError{QStringLiteral("unknown language \"%1\" in --lang (tur, eng, spa)")
                                  .arg(piece.trimmed())};
        }
        named.append(code);
    }
    return RecognitionLanguages::ordered(named);
}

std::variant<Command, UsageError> parseOcr(Reader& reader)
{
    Collected c = collect(reader, {QStringLiteral("lang"), QStringLiteral("redo"),
                                   QStringLiteral("rotate-pages")});
    if (c.error) {
        return UsageError{*c.error};
    }
    if (!c.output || c.inputs.size() != 1 || c.folder) {
        return UsageError{QStringLiteral("ocr needs -o OUT and one input")};
    }
    Ocr ocr{c.inputs.first(), RecognitionLanguages::defaults(AppLanguages::current()), false, false,
            *c.output};
    for (const auto& [name, flag] : {std::pair{QStringLiteral("redo"), &ocr.redo},
                                     std::pair{QStringLiteral("rotate-pages"), &ocr.rotatePages}}) {
        const QString bare = QStringLiteral("--") + name;
        for (const QString& given : c.flags) {
            if (given.startsWith(bare + u'=')) {
                return UsageError{QStringLiteral("%1 takes no value").arg(bare)};
            }
            *flag = *flag || given == bare;
        }
    }
    if (const auto lang = flagValue(c.flags, QStringLiteral("lang"))) {
        auto languages = parseLanguages(*lang);
        if (auto* error = std::get_if<UsageError>(&languages)) {
            return *error;
        }
        ocr.languages = std::get<QStringList>(std::move(languages));
    }
    return ocr;
}

std::variant<Command, UsageError> parseCommand(const QStringList& arguments)
{
    Reader reader(arguments.mid(1));
    const QString& command = arguments.first();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h") ||
        command == QStringLiteral("help")) {
        return Help{};
    }
    if (command == QStringLiteral("merge")) {
        return parseMerge(reader);
    }
    if (command == QStringLiteral("split")) {
        return parseSplit(reader);
    }
    if (command == QStringLiteral("delete")) {
        return parseDelete(reader);
    }
    if (command == QStringLiteral("compress")) {
        return parseCompress(reader);
    }
    if (command == QStringLiteral("sign")) {
        return parseSign(reader);
    }
    if (command == QStringLiteral("organize") || command == QStringLiteral("extract")) {
        return parseOrganize(reader, command == QStringLiteral("extract"));
    }
    if (command == QStringLiteral("ocr")) {
        return parseOcr(reader);
    }
    return UsageError{QStringLiteral("unknown command %1").arg(command)};
}

// Takes "--NAME=N" (a whole number of at least 1) out of arguments.
std::optional<QString> takeBound(QStringList& arguments, const QString& name,
                                 std::optional<qint64>& bound)
{
    for (qsizetype i = arguments.size() - 1; i >= 1; --i) {
        if (const auto value = longValue(arguments[i], name)) {
            bool ok = false;
            bound = value->toLongLong(&ok);
            if (!ok || *bound < 1) {
                return QStringLiteral("--%1 needs a whole number, at least 1").arg(name);
            }
            arguments.removeAt(i);
        }
    }
    return std::nullopt;
}

} // namespace

std::variant<Invocation, UsageError> parse(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        return UsageError{QStringLiteral("no command given")};
    }
    QStringList rest = arguments;
    Limits limits;
    for (const auto& [name, bound] : {std::pair{QStringLiteral("timeout"), &limits.timeoutSeconds},
                                      std::pair{QStringLiteral("memory"), &limits.memoryMiB}}) {
        if (const auto error = takeBound(rest, name, *bound)) {
            return UsageError{*error};
        }
    }
    auto parsed = parseCommand(rest);
    if (auto* error = std::get_if<UsageError>(&parsed)) {
        return *error;
    }
    return Invocation{std::get<Command>(std::move(parsed)), limits};
}

QString usage()
{
    return QStringLiteral(
        "usage: leaflow-cli merge -o OUT [PASS] [--pages=TEXT] IN [PASS] [--pages=TEXT] IN ...\n"
        "       leaflow-cli split (--each | --every=N | --ranges=TEXT) -d FOLDER [PASS] IN\n"
        "       leaflow-cli delete --pages=TEXT -o OUT [PASS] IN\n"
        "       leaflow-cli compress [--level=light|balanced|strong] -o OUT [PASS] IN\n"
        "       leaflow-cli sign -o OUT [PASS] IN --signature=FILE --page=N --rect=X,Y,W,H\n"
        "                        [--signature=FILE --page=N --rect=X,Y,W,H]...\n"
        "       leaflow-cli organize [--pages=ORDER] [--rotate=RANGES:ANGLE]... -o OUT [PASS] IN\n"
        "       leaflow-cli extract --pages=ORDER -o OUT [PASS] IN\n"
        "       leaflow-cli ocr [--lang=LANGS] [--redo] [--rotate-pages] -o OUT [PASS] IN\n"
        "\n"
        "TEXT names pages by number from 1: \"1-3, 7, 10-\" (10- runs to the last page), in the\n"
        "order written; a page may be named twice. In merge, --pages=TEXT before an input takes\n"
        "only those pages of it, in that order; an input without it gives all its pages.\n"
        "ORDER is TEXT whose ranges may also run downwards (\"5-1\"). organize writes the pages\n"
        "of IN in ORDER (default: all, as they are) and turns those of IN named by RANGES (TEXT,\n"
        "or all) by ANGLE degrees clockwise: 90, 180, 270, or -90 anticlockwise; several\n"
        "--rotate add up. extract writes the pages in ORDER to OUT, unchanged.\n"
        "\n"
        "ocr lays an invisible, searchable text layer over each page of IN that shows no text,\n"
        "read in LANGS: tur, eng, spa joined by + (default: the interface language and eng).\n"
        "--redo reads again the pages this command read before; --rotate-pages turns pages\n"
        "scanned sideways or upside down upright. It prints what became of the pages.\n"
        "\n"
        "PASS unlocks the input that follows it: --password-file=FILE (the file's first line;\n"
        "- reads standard input) or --password=PW. A password written as --password=PW can be\n"
        "read by every local account while the command runs (it is part of the process list);\n"
        "prefer --password-file. Without either, a locked input's password is asked for on the\n"
        "terminal, without echo.\n"
        "\n"
        "Every command also takes --timeout=SECONDS (default: 60 s plus 3 s per MB of input;\n"
        "ocr: 60 s plus 15 s per page) and --memory=MB (MiB; default: a quarter of the\n"
        "memory, 2 to 8 GiB), bounds on the process that does the work. Exit status: 0 done,\n"
        "1 failed (one line on standard error; page numbers that do not read or lie past the\n"
        "end are such a failure), 2 usage,\n"
        "3 nothing to do (compress found nothing smaller, ocr found every page searchable\n"
        "already; nothing is written), 130 interrupted (Ctrl+C; nothing is written).\n");
}

} // namespace CommandLine
