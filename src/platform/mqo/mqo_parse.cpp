#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <type_traits>

#include "platform/mqo/mqo_model.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

// The document a line at a time, trimmed, counting line numbers for messages.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const size_t end = text_.find('\n', pos_);
        const size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = Trim(text_.substr(pos_, stop - pos_));
        pos_ = stop + 1;
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int number_ = 0;
};

// Reads the pieces of one line: words, numbers, quoted strings and key(values) groups.
class Scanner {
public:
    explicit Scanner(std::string_view s) : s_(s) {}

    bool AtEnd() {
        SkipSpace();
        return s_.empty();
    }
    bool Word(std::string_view& word) {
        SkipSpace();
        size_t n = 0;
        while (n < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[n])) || s_[n] == '_')) ++n;
        word = s_.substr(0, n);
        s_.remove_prefix(n);
        return n > 0;
    }
    bool Char(char c) {
        SkipSpace();
        if (s_.empty() || s_.front() != c) return false;
        s_.remove_prefix(1);
        return true;
    }
    bool Quoted(std::string& out) {
        SkipSpace();
        if (s_.empty() || s_.front() != '"') return false;
        const size_t close = s_.find('"', 1);
        if (close == std::string_view::npos) return false;
        out.assign(s_.substr(1, close - 1));
        s_.remove_prefix(close + 1);
        return true;
    }
    template <typename Number>
    bool Read(Number& value) {
        SkipSpace();
        const char* first = s_.data();
        const auto [end, ec] = std::from_chars(first, first + s_.size(), value);
        if (ec != std::errc() || end == first) return false;
        if constexpr (std::is_floating_point_v<Number>)
            if (!std::isfinite(value)) return false;
        s_.remove_prefix(size_t(end - first));
        return true;
    }
    // The raw text up to the closing parenthesis of a group whose opening one was read.
    bool GroupBody(std::string_view& body) {
        const size_t close = s_.find(')');
        if (close == std::string_view::npos) return false;
        body = s_.substr(0, close);
        s_.remove_prefix(close + 1);
        return true;
    }

private:
    void SkipSpace() {
        while (!s_.empty() && IsSpace(s_.front())) s_.remove_prefix(1);
    }
    std::string_view s_;
};

// Reads exactly `count` numbers from a group body such as "0.5 1 1 1".
template <typename Number>
bool Numbers(std::string_view body, Number* values, size_t count) {
    Scanner s(body);
    for (size_t i = 0; i < count; ++i)
        if (!s.Read(values[i])) return false;
    return s.AtEnd();
}

// Net count of braces outside quoted strings.
int BraceBalance(std::string_view line) {
    int balance = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (!quoted && c == '{') ++balance;
        else if (!quoted && c == '}') --balance;
    }
    return balance;
}

bool EndsChunkHeader(std::string_view line) { return !line.empty() && line.back() == '{'; }

class Parser {
public:
    Parser(std::string_view text, MqoModel& model) : lines_(text), model_(model) {}

    bool Run() { return Header() && Body() && MaterialsInRange(); }
    const std::string& error() const { return error_; }

private:
    bool Fail(const std::string& why) {
        error_ = "line " + std::to_string(lines_.number()) + ": " + why;
        return false;
    }
    bool NextLine(std::string_view& line, const char* inside) {
        if (lines_.Next(line)) return true;
        return Fail(std::string("the file ends inside ") + inside);
    }

    bool Header() {
        std::string_view line;
        if (!lines_.Next(line) || line != "Metasequoia Document") return Fail("not a Metasequoia document");
        if (!lines_.Next(line) || (line != "Format Text Ver 1.0" && line != "Format Text Ver 1.1"))
            return Fail("only the text format, version 1.0 or 1.1, is read");
        return true;
    }

    bool Body() {
        std::string_view line;
        while (lines_.Next(line)) {
            Scanner s(line);
            std::string_view word;
            s.Word(word);
            if (line == "Eof") return true;
            if (word == "Material" && EndsChunkHeader(line)) {
                if (!Materials(s)) return false;
            } else if (word == "Object" && EndsChunkHeader(line)) {
                if (!Object(s)) return false;
            } else if (EndsChunkHeader(line)) {
                if (!SkipChunk(line)) return false;
            }
        }
        return Fail("the file ends before Eof");
    }

    bool SkipChunk(std::string_view header) {
        int depth = BraceBalance(header);
        std::string_view line;
        while (depth > 0) {
            if (size_t(depth) > MQO_MAX_NESTING) return Fail("chunks nested too deep");
            if (!NextLine(line, "a chunk")) return false;
            depth += BraceBalance(line);
        }
        return true;
    }

    bool Count(Scanner& s, size_t limit, const char* what, size_t& count) {
        long long n = -1;
        if (!s.Read(n) || n < 0 || !s.Char('{') || !s.AtEnd()) return Fail(std::string("bad ") + what + " count line");
        if (size_t(n) > limit)
            return Fail(std::string("too many ") + what + " (" + std::to_string(n) + ", at most " +
                        std::to_string(limit) + ")");
        count = size_t(n);
        return true;
    }

    bool Materials(Scanner& s) {
        if (seenMaterials_) return Fail("a second Material chunk");
        seenMaterials_ = true;
        size_t count = 0;
        if (!Count(s, MQO_MAX_MATERIALS, "materials", count)) return false;
        model_.materials.reserve(count);
        std::string_view line;
        while (NextLine(line, "the Material chunk")) {
            if (line.empty()) continue;
            if (line == "}") {
                if (model_.materials.size() != count) return Fail("fewer materials than the chunk says");
                return true;
            }
            if (model_.materials.size() == count) return Fail("more materials than the chunk says");
            MqoMaterial material;
            if (!MaterialLine(line, material)) return false;
            model_.materials.push_back(std::move(material));
        }
        return false;
    }

    bool MaterialLine(std::string_view line, MqoMaterial& m) {
        Scanner s(line);
        if (!s.Quoted(m.name)) return Fail("a material line must start with its quoted name");
        std::string_view key, body;
        while (!s.AtEnd()) {
            if (!s.Word(key) || !s.Char('(')) return Fail("bad material attribute");
            if (key == "tex") {
                if (!s.Quoted(m.texture) || !s.Char(')')) return Fail("bad tex(\"file\")");
                continue;
            }
            if (!s.GroupBody(body)) return Fail("unclosed material attribute");
            bool ok = true;
            if (key == "col") ok = Numbers(body, m.colour, 4);
            else if (key == "dif") ok = Numbers(body, &m.diffuse, 1);
            else if (key == "amb") ok = Numbers(body, &m.ambient, 1);
            else if (key == "emi") ok = Numbers(body, &m.emissive, 1);
            else if (key == "spc") ok = Numbers(body, &m.specular, 1);
            else if (key == "power") ok = Numbers(body, &m.power, 1);
            if (!ok) return Fail("bad values in " + std::string(key) + "(...)");
        }
        return true;
    }

    bool Object(Scanner& s) {
        if (model_.objects.size() == MQO_MAX_OBJECTS)
            return Fail("too many objects (at most " + std::to_string(MQO_MAX_OBJECTS) + ")");
        MqoObject object;
        if (!s.Quoted(object.name) || !s.Char('{') || !s.AtEnd()) return Fail("bad Object line");
        std::vector<MqoCorner> vertices;
        bool seenVertices = false;
        std::string_view line;
        while (NextLine(line, "an Object chunk")) {
            if (line == "}") {
                model_.objects.push_back(std::move(object));
                return true;
            }
            Scanner ls(line);
            std::string_view word;
            ls.Word(word);
            bool ok = true;
            if (word == "visible") {
                int value = 0;
                ok = (ls.Read(value) && ls.AtEnd()) || Fail("bad visible line");
                object.visible = value != 0;
            } else if (word == "vertex" && EndsChunkHeader(line)) {
                ok = (!seenVertices || Fail("a second vertex list")) && Vertices(ls, vertices);
                seenVertices = true;
            } else if (word == "face" && EndsChunkHeader(line)) {
                ok = Faces(ls, vertices, object.triangles);
            } else if (word == "BVertex") {
                ok = Fail("binary vertex lists are not read");
            } else if (EndsChunkHeader(line)) {
                ok = SkipChunk(line);
            }
            if (!ok) return false;
        }
        return false;
    }

    // Reads `count` lines of the list that opened on the previous line, then its closing brace.
    template <typename ReadLine>
    bool List(size_t count, const char* what, ReadLine readLine) {
        std::string_view line;
        size_t read = 0;
        while (NextLine(line, what)) {
            if (line.empty()) continue;
            if (line == "}") return read == count || Fail(std::string("fewer entries than the ") + what + " says");
            if (read == count) return Fail(std::string("more entries than the ") + what + " says");
            if (!readLine(line)) return false;
            ++read;
        }
        return false;
    }

    bool Vertices(Scanner& s, std::vector<MqoCorner>& vertices) {
        size_t count = 0;
        if (!Count(s, MQO_MAX_VERTICES, "vertices", count)) return false;
        vertices.reserve(count);
        return List(count, "vertex list", [&](std::string_view line) {
            float p[3];
            if (!Numbers(line, p, 3)) return Fail("a vertex must be three numbers");
            vertices.push_back({p[0], p[1], -p[2], 0, 0});
            return true;
        });
    }

    bool Faces(Scanner& s, const std::vector<MqoCorner>& vertices, std::vector<MqoTriangle>& triangles) {
        size_t count = 0;
        if (!Count(s, MQO_MAX_FACES, "faces", count)) return false;
        return List(count, "face list", [&](std::string_view line) { return Face(line, vertices, triangles); });
    }

    bool Face(std::string_view line, const std::vector<MqoCorner>& vertices, std::vector<MqoTriangle>& triangles) {
        Scanner s(line);
        int n = 0;
        if (!s.Read(n) || n < 2 || n > 4) return Fail("a face must have 2, 3 or 4 vertices");
        int index[4] = {-1, -1, -1, -1}, material = -1;
        float uv[8] = {};
        bool seenV = false;
        std::string_view key, body;
        while (!s.AtEnd()) {
            if (!s.Word(key) || !s.Char('(') || !s.GroupBody(body)) return Fail("bad face attribute");
            bool ok = true;
            if (key == "V") ok = seenV = Numbers(body, index, size_t(n));
            else if (key == "M") ok = Numbers(body, &material, 1) && material >= -1;
            else if (key == "UV") ok = Numbers(body, uv, size_t(2 * n));
            if (!ok) return Fail("bad values in " + std::string(key) + "(...)");
        }
        if (!seenV) return Fail("a face without V(...)");
        for (int i = 0; i < n; ++i)
            if (index[i] < 0 || size_t(index[i]) >= vertices.size())
                return Fail("vertex index " + std::to_string(index[i]) + " out of range");
        if (n == 2) return true;  // an edge: nothing to draw
        if (material > highestMaterial_) {
            highestMaterial_ = material;
            highestMaterialLine_ = lines_.number();
        }
        auto corner = [&](int i) {
            MqoCorner c = vertices[size_t(index[i])];
            c.u = uv[2 * i];
            c.v = uv[2 * i + 1];
            return c;
        };
        const int split[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (int t = 0; t < n - 2; ++t) {
            if (++triangleCount_ > MQO_MAX_TRIANGLES)
                return Fail("too many triangles (at most " + std::to_string(MQO_MAX_TRIANGLES) + ")");
            triangles.push_back({{corner(split[t][0]), corner(split[t][1]), corner(split[t][2])}, material});
        }
        return true;
    }

    bool MaterialsInRange() {
        if (highestMaterial_ < int(model_.materials.size())) return true;
        error_ = "line " + std::to_string(highestMaterialLine_) + ": material " + std::to_string(highestMaterial_) +
                 " out of range";
        return false;
    }

    LineReader lines_;
    MqoModel& model_;
    std::string error_;
    bool seenMaterials_ = false;
    size_t triangleCount_ = 0;
    int highestMaterial_ = -1, highestMaterialLine_ = 0;
};

}  // namespace

bool ParseMqo(std::string_view text, MqoModel& model, std::string& error) {
    model = {};
    if (text.size() > MQO_MAX_FILE_BYTES) {
        error = "the file is larger than " + std::to_string(MQO_MAX_FILE_BYTES) + " bytes";
        return false;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Parser parser(text, model);
    if (parser.Run()) return true;
    error = parser.error();
    model = {};
    return false;
}

bool LoadMqo(const std::string& path, MqoModel& model, std::string& error) {
    model = {};
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot open the file";
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    if (size < 0 || size_t(size) > MQO_MAX_FILE_BYTES) {
        error = path + ": not a readable file of at most " + std::to_string(MQO_MAX_FILE_BYTES) + " bytes";
        return false;
    }
    std::string text(size_t(size), '\0');
    if (!file.read(text.data(), size)) {
        error = path + ": cannot read the file";
        return false;
    }
    if (!ParseMqo(text, model, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}
