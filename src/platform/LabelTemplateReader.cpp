#include "platform/LabelTemplateReader.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QXmlStreamReader>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

#include "files/FileIo.h"
#include "model/PaperSizes.h"

namespace {

// Glabels-templates > Template > Label-rectangle > Layout is as deep as a
// template goes; a little room is left for markup the program ignores.
constexpr int kMaxDepth = 8;
// No sheet, label or margin is a ten-metre one; larger numbers are damage.
constexpr double kMaxLengthMm = 10000.0;
constexpr int kMaxGridCount = 1000;
// A name in a list needs no more; longer ones are cut.
constexpr qsizetype kMaxNamePartChars = 100;

struct Unit {
    const char* suffix;
    double mm;
};
// A length without a unit is in points, as the label designer writes it.
constexpr std::array<Unit, 6> kUnits = {{
    {"pt", 25.4 / 72.0},
    {"in", 25.4},
    {"mm", 1.0},
    {"cm", 10.0},
    {"pc", 25.4 / 6.0},
    {"", 25.4 / 72.0},
}};

// The files' paper names of the papers this program prints on, and its own
// names of them. The files' B5 is ISO B5, not the JIS B5 sold here.
struct KnownPaper {
    const char* id;
    const char* name;
};
constexpr std::array<KnownPaper, 3> kPapers = {{
    {"A4", "A4"},
    {"US-Letter", "Letter"},
    {"A5", "A5"},
}};

// The digits of `text` from `i` on; how many there were.
int skipDigits(QStringView text, qsizetype& i) {
    int digits = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        ++digits;
    return digits;
}

// A decimal number as the files write it: an optional sign, digits with an
// optional fraction, and an optional exponent of at most three digits (the
// database writes "3.93386e-16pt"). No "nan" or "inf"; at most 24 characters.
std::optional<double> parseDecimal(QStringView text) {
    if (text.isEmpty() || text.size() > 24)
        return std::nullopt;
    qsizetype i = (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    int digits = skipDigits(text, i);
    if (i < text.size() && text[i] == u'.') {
        ++i;
        digits += skipDigits(text, i);
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            ++i;
        const int exponent = skipDigits(text, i);
        if (exponent == 0 || exponent > 3)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> parseLengthMm(QStringView text) {
    text = text.trimmed();
    for (const Unit& unit : kUnits) {
        const QLatin1StringView suffix(unit.suffix);
        if (!text.endsWith(suffix))
            continue;
        const std::optional<double> number = parseDecimal(text.chopped(suffix.size()));
        if (!number)
            return std::nullopt;
        const double mm = *number * unit.mm;
        return std::fabs(mm) <= kMaxLengthMm ? std::optional<double>(mm) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> parseCount(QStringView text) {
    const std::optional<double> number = parseDecimal(text.trimmed());
    if (!number || *number != std::floor(*number) || *number < 1 || *number > kMaxGridCount)
        return std::nullopt;
    return static_cast<int>(*number);
}

std::string namePart(QStringView text) {
    return text.trimmed().left(kMaxNamePartChars).toString().toStdString();
}

// What one <Template> says, as far as this program needs it.
struct TemplateEntry {
    std::string brand;
    std::string part;
    std::string description;
    std::string equiv;  // the part of the template this one is an alias of
    QString paper;
    int frames = 0;  // Label-... elements
    bool rectangle = false;
    double width = 0.0;
    double height = 0.0;
    double round = 0.0;
    int layouts = 0;
    int nx = 1;
    int ny = 1;
    double x0 = 0.0;
    double y0 = 0.0;
    double dx = 0.0;
    double dy = 0.0;
    int damagedLine = 0;  // the first line with a value that cannot be read
};

std::optional<PaperSize> knownPaper(const QString& id) {
    for (const KnownPaper& paper : kPapers) {
        if (id == QLatin1StringView(paper.id))
            return paperNamed(paper.name);
    }
    return std::nullopt;
}

// The stock of a template that is a rectangle frame in one grid on a known
// paper, or nothing.
std::optional<LabelStock> offeredStock(const TemplateEntry& t) {
    const std::optional<PaperSize> paper = knownPaper(t.paper);
    if (!paper || t.frames != 1 || !t.rectangle || t.layouts != 1 || t.width <= 0 ||
        t.height <= 0 || t.round < 0)
        return std::nullopt;
    LabelStock stock;
    stock.paper = *paper;
    stock.labelWidthMm = t.width;
    stock.labelHeightMm = t.height;
    stock.cornerRadiusMm = t.round;
    stock.columns = t.nx;
    stock.rows = t.ny;
    stock.firstLabel = {t.x0, t.y0};
    // A single column or row has no pitch of its own in the files.
    stock.pitchXMm = t.nx > 1 ? t.dx : t.width;
    stock.pitchYMm = t.ny > 1 ? t.dy : t.height;
    return stock;
}

std::string stockName(const TemplateEntry& named, const std::string& description) {
    std::string name = named.brand + " " + named.part;
    if (!description.empty())
        name += " — " + description;
    return name;
}

class TemplateParser {
  public:
    explicit TemplateParser(std::string_view bytes)
        : xml_(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) {}

    // The entries of a well-formed file, or the line where it is refused.
    std::optional<std::vector<TemplateEntry>> parse(int& refusedLine);

  private:
    bool startElement();
    bool readTemplate();
    bool readFrame(TemplateEntry& entry);
    bool readLayout(TemplateEntry& entry);
    void length(const char* name, double& mm, bool required);
    void damaged();
    int currentLine() const;

    QXmlStreamReader xml_;
    std::vector<TemplateEntry> entries_;
    int depth_ = 0;
    bool inTemplate_ = false;
    bool inRectangle_ = false;
};

std::optional<std::vector<TemplateEntry>> TemplateParser::parse(int& refusedLine) {
    bool sound = true;
    while (sound && !xml_.atEnd()) {
        switch (xml_.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                // Real template files declare nothing; a declaration is how
                // entity bombs and outside references come in.
                sound = false;
                break;
            case QXmlStreamReader::StartElement:
                ++depth_;
                sound = depth_ <= kMaxDepth && startElement();
                break;
            case QXmlStreamReader::EndElement:
                if (depth_ == 2)
                    inTemplate_ = false;
                if (depth_ == 3)
                    inRectangle_ = false;
                --depth_;
                break;
            default:
                break;
        }
    }
    if (!sound || xml_.hasError()) {
        refusedLine = currentLine();
        return std::nullopt;
    }
    return std::move(entries_);
}

bool TemplateParser::startElement() {
    const QStringView name = xml_.name();
    if (depth_ == 1)
        return name == u"Glabels-templates";
    if (depth_ == 2 && name == u"Template")
        return readTemplate();
    if (depth_ == 3 && inTemplate_ && name.startsWith(u"Label-"))
        return readFrame(entries_.back());
    if (depth_ == 4 && inRectangle_ && name == u"Layout")
        return readLayout(entries_.back());
    return true;  // Meta, markup and anything newer: not needed here
}

bool TemplateParser::readTemplate() {
    const QXmlStreamAttributes a = xml_.attributes();
    TemplateEntry entry;
    if (!a.hasAttribute("brand") || !a.hasAttribute("part"))
        entry.damagedLine = currentLine();
    entry.brand = namePart(a.value("brand"));
    entry.part = namePart(a.value("part"));
    entry.equiv = namePart(a.value("equiv"));
    entry.description =
        namePart(a.hasAttribute("_description") ? a.value("_description") : a.value("description"));
    entry.paper = a.value("size").toString();
    entries_.push_back(std::move(entry));
    inTemplate_ = true;
    return true;
}

bool TemplateParser::readFrame(TemplateEntry& entry) {
    ++entry.frames;
    if (xml_.name() != u"Label-rectangle")
        return true;
    entry.rectangle = true;
    inRectangle_ = true;
    length("width", entry.width, true);
    length("height", entry.height, true);
    length("round", entry.round, false);
    return true;
}

bool TemplateParser::readLayout(TemplateEntry& entry) {
    ++entry.layouts;
    const QXmlStreamAttributes a = xml_.attributes();
    const std::optional<int> nx = parseCount(a.value("nx"));
    const std::optional<int> ny = parseCount(a.value("ny"));
    if (!nx || !ny)
        damaged();
    entry.nx = nx.value_or(1);
    entry.ny = ny.value_or(1);
    for (const auto& [name, mm] : {std::pair{"x0", &entry.x0}, std::pair{"y0", &entry.y0},
                                   std::pair{"dx", &entry.dx}, std::pair{"dy", &entry.dy}})
        length(name, *mm, false);
    return true;
}

int TemplateParser::currentLine() const {
    return static_cast<int>(std::min<qint64>(xml_.lineNumber(), 1 << 30));
}

void TemplateParser::damaged() {
    if (entries_.back().damagedLine == 0)
        entries_.back().damagedLine = currentLine();
}

// Reads the length attribute `name` of the current element into `mm`; an
// absent optional one leaves it at its default. One that cannot be read, or
// a required one missing, marks the template damaged.
void TemplateParser::length(const char* name, double& mm, bool required) {
    const QXmlStreamAttributes a = xml_.attributes();
    const QLatin1StringView attribute(name);
    if (!a.hasAttribute(attribute)) {
        if (required)
            damaged();
        return;
    }
    const std::optional<double> value = parseLengthMm(a.value(attribute));
    if (value)
        mm = *value;
    else
        damaged();
}

// Offers the entries this program can print on, an alias as the template it
// names (in the same file, and not itself an alias), and counts the rest.
void offerEntries(const std::vector<TemplateEntry>& entries, LabelTemplates& templates) {
    std::map<std::pair<std::string, std::string>, const TemplateEntry*> byPart;
    for (const TemplateEntry& entry : entries) {
        if (entry.equiv.empty() && entry.damagedLine == 0)
            byPart.emplace(std::pair(entry.brand, entry.part), &entry);
    }
    for (const TemplateEntry& entry : entries) {
        if (entry.damagedLine > 0) {
            if (templates.damaged++ == 0)
                templates.firstDamagedLine = entry.damagedLine;
            continue;
        }
        const TemplateEntry* source = &entry;
        if (!entry.equiv.empty()) {
            const auto found = byPart.find(std::pair(entry.brand, entry.equiv));
            source = found == byPart.end() ? nullptr : found->second;
        }
        const std::optional<LabelStock> stock =
            source ? offeredStock(*source) : std::optional<LabelStock>();
        if (!stock) {
            ++templates.skipped;
            continue;
        }
        const std::string& description =
            entry.description.empty() ? source->description : entry.description;
        templates.stocks.push_back({stockName(entry, description), *stock});
    }
}

}  // namespace

Result readLabelTemplateBytes(std::string_view bytes, LabelTemplates& templates) {
    if (bytes.size() > kMaxLabelTemplateFileBytes)
        return Result::failure(ResultCode::ReadFailed);
    TemplateParser parser(bytes);
    int refusedLine = 0;
    const std::optional<std::vector<TemplateEntry>> entries = parser.parse(refusedLine);
    if (!entries)
        return Result::failure(ResultCode::NotLabelTemplate).withLine(refusedLine);
    offerEntries(*entries, templates);
    return {};
}

Result readLabelTemplateFile(const std::string& path, LabelTemplates& templates) {
    std::string bytes;
    Result read = readWholeFile(path, bytes, kMaxLabelTemplateFileBytes);
    if (!read.ok())
        return std::move(read).withPath(path);
    return readLabelTemplateBytes(bytes, templates).withPath(path);
}

LabelTemplates readInstalledLabelTemplates(const std::string& folder) {
    LabelTemplates templates;
    const QDir dir(QString::fromStdString(folder));
    const QStringList names =
        dir.entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        LabelTemplates one;
        if (readLabelTemplateFile(dir.filePath(name).toStdString(), one).ok()) {
            templates.skipped += one.skipped + one.damaged;
            for (TemplateStock& stock : one.stocks)
                templates.stocks.push_back(std::move(stock));
        }
    }
    return templates;
}
