#include "SvgCheck.h"

#include "Picture.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// libxml2 refuses deeper documents; deeper ones are refused here before it sees them.
constexpr int MaxNesting = 256;
constexpr std::string_view PngDataPrefix = "data:image/png;base64,";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameChar(char c) {
    return !IsSpace(c) && c != '=' && c != '>' && c != '/' && c != '"' && c != '\'' && c != '<';
}

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The text an XML parser makes of an attribute value or character data: character references
// and the five predefined entities replaced. Other references stay as they are (the parser
// refuses them: no entity is declared).
std::string DecodeText(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::size_t semi = raw[i] == '&' ? raw.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos) {
            out += raw[i];
            continue;
        }
        const std::string_view name = raw.substr(i + 1, semi - i - 1);
        static const std::pair<std::string_view, char> predefined[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        const auto known = std::find_if(std::begin(predefined), std::end(predefined),
                                        [&](const auto& entity) { return entity.first == name; });
        if (known != std::end(predefined)) {
            out += known->second;
        } else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            uint32_t code = 0;
            for (const char c : name.substr(hex ? 2 : 1)) {
                const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                  : hex && std::isxdigit(static_cast<unsigned char>(c)) ? std::tolower(c) - 'a' + 10
                                                                                        : -1;
                if (digit < 0 || code > 0x10FFFF) {
                    code = 0xFFFD;
                    break;
                }
                code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
            }
            // Only what the checks look for matters; other characters stand in as one byte.
            out += code < 0x80 ? static_cast<char>(code) : '\x80';
        } else {
            out += raw.substr(i, semi - i + 1);
        }
        i = semi;
    }
    return out;
}

// Width x height of a base64 PNG; nullopt when it is not one.
std::optional<long long> PngPixels(std::string_view base64) {
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (const char c : base64) {
        int value;
        if (c >= 'A' && c <= 'Z') value = c - 'A';
        else if (c >= 'a' && c <= 'z') value = c - 'a' + 26;
        else if (c >= '0' && c <= '9') value = c - '0' + 52;
        else if (c == '+') value = 62;
        else if (c == '/') value = 63;
        else if (IsSpace(c)) continue;
        else break;
        bits = bits << 6 | static_cast<uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
            if (bytes.size() == 24) break;
        }
    }
    constexpr std::string_view Signature = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 24 || !bytes.starts_with(Signature) || bytes.substr(12, 4) != "IHDR") return std::nullopt;
    const auto word = [&](std::size_t at) {
        long long n = 0;
        for (std::size_t i = 0; i < 4; ++i) n = n << 8 | static_cast<unsigned char>(bytes[at + i]);
        return n;
    };
    const long long width = word(16), height = word(20);
    constexpr long long MaxSide = 1 << 20;  // keeps the product in range; far above any allowed picture
    return width > MaxSide || height > MaxSide ? MaxPicturePixels + 1 : width * height;
}

class TSvgScan {
public:
    bool Run(std::string_view svg) {
        if (!PlainEncoding(svg)) return false;
        mNodes.push_back({});  // the document itself
        std::vector<Open> open;
        std::size_t pos = 0;
        while (pos < svg.size()) {
            const std::size_t lt = svg.find('<', pos);
            if (!Text(svg.substr(pos, (lt == std::string_view::npos ? svg.size() : lt) - pos), open)) return false;
            if (lt == std::string_view::npos) break;
            const std::string_view rest = svg.substr(lt);
            std::size_t end;
            if (rest.starts_with("<!--")) {
                end = Skip(svg, lt, "-->");
            } else if (rest.starts_with("<![CDATA[")) {
                end = Skip(svg, lt, "]]>");
                if (end != std::string_view::npos && !Text(svg.substr(lt + 9, end - 3 - lt - 9), open)) return false;
            } else if (rest.starts_with("<?")) {
                end = Skip(svg, lt, "?>");
                if (end == std::string_view::npos || !Declaration(svg.substr(lt, end - lt))) return false;
            } else if (rest.starts_with("<!")) {
                end = Skip(svg, lt, ">");
                // An internal subset can declare entities; only a plain document type is let through.
                if (end == std::string_view::npos || svg.substr(lt, end - lt).find('[') != std::string_view::npos)
                    return false;
            } else if (rest.starts_with("</")) {
                end = Skip(svg, lt, ">");
                if (end == std::string_view::npos) return false;
                Close(Trim(svg.substr(lt + 2, end - 1 - lt - 2)), open);
            } else {
                end = Tag(svg, lt, open);
            }
            if (end == std::string_view::npos) return false;
            pos = end;
        }
        return Expanded() <= MaxSvgExpandedElements;
    }

private:
    struct Node {
        long long Own = 0;                 // elements drawn directly as part of it
        std::vector<int> Children;         // elements with an id inside it
        std::vector<std::string> Targets;  // the ids its references name
    };
    struct Open {
        std::string Name;
        int Node;  // the innermost element with an id around (or being) this one
        bool Style;
    };

    static std::size_t Skip(std::string_view svg, std::size_t from, std::string_view until) {
        const std::size_t at = svg.find(until, from);
        return at == std::string_view::npos ? at : at + until.size();
    }

    // The checks read bytes as ASCII: documents in encodings that are not ASCII-based are refused.
    static bool PlainEncoding(std::string_view svg) {
        if (svg.find('\0') != std::string_view::npos) return false;
        if (svg.starts_with("\xEF\xBB\xBF")) svg.remove_prefix(3);
        svg = Trim(svg);
        return !svg.empty() && svg.front() == '<';
    }

    static bool Declaration(std::string_view pi) {
        if (!pi.starts_with("<?xml") || pi.size() < 6 || !IsSpace(pi[5])) return true;
        const std::size_t at = pi.find("encoding");
        if (at == std::string_view::npos) return true;
        const std::size_t quote = pi.find_first_of("\"'", at);
        if (quote == std::string_view::npos) return false;
        const std::size_t close = pi.find(pi[quote], quote + 1);
        if (close == std::string_view::npos) return false;
        const std::string encoding = Lower(pi.substr(quote + 1, close - quote - 1));
        return encoding == "utf-8" || encoding == "us-ascii" || encoding == "iso-8859-1";
    }

    // Character data: in a style sheet, its references count; CSS escapes could hide them.
    bool Text(std::string_view raw, const std::vector<Open>& open) {
        if (raw.empty() || open.empty() || !open.back().Style) return true;
        const std::string text = DecodeText(raw);
        return text.find('\\') == std::string::npos && Urls(text, open.back().Node);
    }

    // Adds the targets of every url(#id) in text to node; false for a url naming anything else.
    bool Urls(std::string_view text, int node) {
        const std::string lower = Lower(text);
        for (std::size_t at = lower.find("url("); at != std::string::npos; at = lower.find("url(", at + 4)) {
            std::string_view target = Trim(text.substr(at + 4));
            if (!target.empty() && (target.front() == '"' || target.front() == '\'')) target.remove_prefix(1);
            if (target.empty() || target.front() != '#') return false;
            target.remove_prefix(1);
            const std::size_t stop = target.find_first_of("\"') \t\r\n");
            mNodes[node].Targets.emplace_back(target.substr(0, stop));
        }
        return true;
    }

    // A start tag at lt; the position after it, npos when it is refused.
    std::size_t Tag(std::string_view svg, std::size_t lt, std::vector<Open>& open) {
        std::size_t pos = lt + 1;
        const std::size_t nameStart = pos;
        while (pos < svg.size() && IsNameChar(svg[pos])) ++pos;
        const std::string name(svg.substr(nameStart, pos - nameStart));
        if (name.empty()) return std::string_view::npos;
        struct Attribute {
            std::string_view Name;
            std::string Value;
        };
        std::vector<Attribute> attributes;
        for (;;) {
            while (pos < svg.size() && IsSpace(svg[pos])) ++pos;
            if (pos >= svg.size()) return std::string_view::npos;
            if (svg[pos] == '>' || svg.substr(pos, 2) == "/>") break;
            const std::size_t attrStart = pos;
            while (pos < svg.size() && IsNameChar(svg[pos])) ++pos;
            const std::string_view attrName = svg.substr(attrStart, pos - attrStart);
            while (pos < svg.size() && IsSpace(svg[pos])) ++pos;
            if (attrName.empty() || pos >= svg.size() || svg[pos] != '=') return std::string_view::npos;
            ++pos;
            while (pos < svg.size() && IsSpace(svg[pos])) ++pos;
            if (pos >= svg.size() || (svg[pos] != '"' && svg[pos] != '\'')) return std::string_view::npos;
            const std::size_t close = svg.find(svg[pos], pos + 1);
            if (close == std::string_view::npos) return std::string_view::npos;
            attributes.push_back({attrName, DecodeText(svg.substr(pos + 1, close - pos - 1))});
            pos = close + 1;
        }
        const bool empty = svg[pos] == '/';
        pos += empty ? 2 : 1;

        int node = open.empty() ? 0 : open.back().Node;
        for (const Attribute& attribute : attributes)
            if (attribute.Name == "id" || attribute.Name == "xml:id") {
                const int parent = node;
                node = static_cast<int>(mNodes.size());
                mNodes.push_back({});
                mNodes[parent].Children.push_back(node);
                mIds[attribute.Value].push_back(node);
                break;
            }
        ++mNodes[node].Own;
        for (const Attribute& attribute : attributes) {
            if (LocalName(attribute.Name) == "href") {
                const std::string_view value = Trim(attribute.Value);
                if (value.starts_with('#')) {
                    mNodes[node].Targets.emplace_back(value.substr(1));
                } else if (value.starts_with(PngDataPrefix)) {
                    const auto pixels = PngPixels(value.substr(PngDataPrefix.size()));
                    mEmbeddedPixels += pixels.value_or(MaxPicturePixels + 1);
                    if (mEmbeddedPixels > MaxPicturePixels) return std::string_view::npos;
                } else {
                    return std::string_view::npos;  // another file, or a picture of another kind
                }
            } else {
                if (attribute.Name == "style" && attribute.Value.find('\\') != std::string::npos)
                    return std::string_view::npos;
                if (!Urls(attribute.Value, node)) return std::string_view::npos;
            }
        }
        if (!empty) {
            if (open.size() >= MaxNesting) return std::string_view::npos;
            open.push_back({name, node, LocalName(name) == "style"});
        }
        return pos;
    }

    static void Close(std::string_view name, std::vector<Open>& open) {
        const auto match = std::find_if(open.rbegin(), open.rend(), [&](const Open& o) { return o.Name == name; });
        if (match != open.rend()) open.erase(std::next(match).base(), open.end());
    }

    // The elements the document comes to with every reference followed, capped just above the
    // limit; above it as well when references form a loop.
    long long Expanded() const {
        constexpr long long Cap = MaxSvgExpandedElements + 1;
        enum class State : uint8_t { New, Visiting, Done };
        std::vector<State> state(mNodes.size(), State::New);
        std::vector<long long> cost(mNodes.size(), 0);
        const auto targetsOf = [&](const std::string& id) -> const std::vector<int>& {
            static const std::vector<int> none;
            const auto found = mIds.find(id);
            return found == mIds.end() ? none : found->second;
        };
        // Depth-first over nodes and what they name, without recursion.
        std::vector<int> stack{0};
        while (!stack.empty()) {
            const int node = stack.back();
            if (state[node] == State::New) {
                state[node] = State::Visiting;
                for (const int child : mNodes[node].Children) {
                    if (state[child] == State::Visiting) return Cap;
                    if (state[child] == State::New) stack.push_back(child);
                }
                for (const std::string& id : mNodes[node].Targets)
                    for (const int target : targetsOf(id)) {
                        if (state[target] == State::Visiting) return Cap;
                        if (state[target] == State::New) stack.push_back(target);
                    }
                continue;
            }
            stack.pop_back();
            if (state[node] == State::Done) continue;
            long long total = mNodes[node].Own;
            for (const int child : mNodes[node].Children) total = std::min(Cap, total + cost[child]);
            for (const std::string& id : mNodes[node].Targets)
                for (const int target : targetsOf(id)) total = std::min(Cap, total + cost[target]);
            cost[node] = total;
            state[node] = State::Done;
        }
        return cost[0];
    }

    std::vector<Node> mNodes;
    std::unordered_map<std::string, std::vector<int>> mIds;
    long long mEmbeddedPixels = 0;
};

}  // namespace

bool SvgWithinLimits(std::string_view svg) {
    if (svg.find("<!ENTITY") != std::string_view::npos) return false;
    return TSvgScan().Run(svg);
}
