#include "net/XmlPathQuery.h"

#include "net/XmlParsingUtils.h"

#include <limits>
#include <optional>
#include <tinyxml.h>
#include <vector>

namespace {

enum class StepKind { Element, Attribute, Text };

struct PathStep {
    StepKind kind = StepKind::Element;
    std::string name;
    // 0 when the step has no predicate; positions beyond any real count
    // (overflowing literals included) simply select nothing.
    std::size_t position = 0;
};

bool isNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool isNameChar(unsigned char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Recursive-descent reader of the supported grammar. Whitespace between
// tokens is allowed, as in XPath.
class PathParser {
public:
    explicit PathParser(std::string_view text) : m_sText(text) {}

    std::optional<std::vector<PathStep>> parse() {
        std::vector<PathStep> steps;
        skipSpace();
        if (!take('/')) {
            return std::nullopt;
        }
        skipSpace();
        if (atEnd()) {
            return steps; // "/" alone: the document itself
        }
        for (;;) {
            if (steps.size() == kMaxXmlPathSteps) {
                return std::nullopt;
            }
            std::optional<PathStep> step = parseStep();
            if (!step) {
                return std::nullopt;
            }
            steps.push_back(std::move(*step));
            skipSpace();
            if (atEnd()) {
                return steps;
            }
            if (steps.back().kind != StepKind::Element || !take('/')) {
                return std::nullopt; // @name and text() end the path
            }
            skipSpace();
        }
    }

private:
    std::optional<PathStep> parseStep() {
        PathStep step;
        if (take('@')) {
            skipSpace();
            step.kind = StepKind::Attribute;
            step.name = parseName();
            return step.name.empty() ? std::nullopt : std::optional<PathStep>(step);
        }
        step.name = parseName();
        if (step.name.empty()) {
            return std::nullopt;
        }
        skipSpace();
        if (step.name == "text" && take('(')) {
            skipSpace();
            if (!take(')')) {
                return std::nullopt;
            }
            step.kind = StepKind::Text;
            step.name.clear();
            return step;
        }
        if (take('[')) {
            skipSpace();
            std::optional<std::size_t> position = parsePosition();
            skipSpace();
            if (!position || !take(']')) {
                return std::nullopt;
            }
            step.position = *position;
        }
        return step;
    }

    std::string parseName() {
        const std::size_t start = m_nPos;
        if (atEnd() || !isNameStart(static_cast<unsigned char>(m_sText[m_nPos]))) {
            return {};
        }
        while (!atEnd() && isNameChar(static_cast<unsigned char>(m_sText[m_nPos]))) {
            ++m_nPos;
        }
        return std::string(m_sText.substr(start, m_nPos - start));
    }

    // A positive integer literal; [0] is valid XPath that selects nothing.
    std::optional<std::size_t> parsePosition() {
        constexpr std::size_t kNothing = std::numeric_limits<std::size_t>::max();
        std::size_t value = 0;
        bool anyDigit = false;
        while (!atEnd() && m_sText[m_nPos] >= '0' && m_sText[m_nPos] <= '9') {
            const std::size_t digit = static_cast<std::size_t>(m_sText[m_nPos] - '0');
            value = value > (kNothing - digit) / 10 ? kNothing : value * 10 + digit;
            anyDigit = true;
            ++m_nPos;
        }
        if (!anyDigit) {
            return std::nullopt;
        }
        return value == 0 ? kNothing : value;
    }

    bool atEnd() const { return m_nPos >= m_sText.size(); }
    void skipSpace() {
        while (!atEnd() && isSpace(m_sText[m_nPos])) {
            ++m_nPos;
        }
    }
    bool take(char c) {
        if (atEnd() || m_sText[m_nPos] != c) {
            return false;
        }
        ++m_nPos;
        return true;
    }

    std::string_view m_sText;
    std::size_t m_nPos = 0;
};

// Concatenated text of every text node below start, in document order,
// walked without recursion.
std::string stringValue(const TiXmlNode* start) {
    if (const TiXmlText* text = start->ToText()) {
        return text->ValueStr();
    }
    std::string value;
    const TiXmlNode* node = start->FirstChild();
    while (node != nullptr) {
        if (const TiXmlText* text = node->ToText()) {
            value += text->ValueStr();
        }
        if (node->FirstChild() != nullptr) {
            node = node->FirstChild();
            continue;
        }
        while (node != start && node->NextSibling() == nullptr) {
            node = node->Parent();
        }
        node = node == start ? nullptr : node->NextSibling();
    }
    return value;
}

// The step's matches under each node of current, kept in document order.
std::vector<const TiXmlNode*> selectChildren(const std::vector<const TiXmlNode*>& current,
                                             const PathStep& step) {
    std::vector<const TiXmlNode*> selected;
    for (const TiXmlNode* parent : current) {
        std::size_t count = 0;
        for (const TiXmlElement* child = parent->FirstChildElement(step.name.c_str());
             child != nullptr; child = child->NextSiblingElement(step.name.c_str())) {
            ++count;
            if (step.position == 0 || count == step.position) {
                selected.push_back(child);
            }
            if (count == step.position) {
                break;
            }
        }
    }
    return selected;
}

std::string finalValue(const std::vector<const TiXmlNode*>& current, const PathStep& step) {
    for (const TiXmlNode* node : current) {
        if (step.kind == StepKind::Attribute) {
            const TiXmlElement* element = node->ToElement();
            const char* value =
                element != nullptr ? element->Attribute(step.name.c_str()) : nullptr;
            if (value != nullptr) {
                return value;
            }
        } else {
            for (const TiXmlNode* child = node->FirstChild(); child != nullptr;
                 child = child->NextSibling()) {
                if (const TiXmlText* text = child->ToText()) {
                    return text->ValueStr();
                }
            }
        }
    }
    return {};
}

std::string evaluate(const TiXmlNode& document, const std::vector<PathStep>& steps) {
    std::vector<const TiXmlNode*> current{&document};
    for (const PathStep& step : steps) {
        if (step.kind != StepKind::Element) {
            return finalValue(current, step);
        }
        current = selectChildren(current, step);
        if (current.empty()) {
            return {};
        }
    }
    return stringValue(current.front());
}

} // namespace

std::string evaluateXmlPath(const TiXmlNode& node, std::string_view expression) {
    try {
        if (expression.size() > kMaxXmlPathLength) {
            return {};
        }
        std::optional<std::vector<PathStep>> steps = PathParser(expression).parse();
        if (!steps) {
            return {};
        }
        const TiXmlNode* document = node.GetDocument();
        return document != nullptr ? evaluate(*document, *steps) : std::string();
    } catch (...) {
        return {};
    }
}

std::string queryXmlPath(const std::string& documentText, std::string_view expression) {
    try {
        TiXmlDocument document("idstring");
        if (!parseXmlDocument(document, documentText)) {
            return {};
        }
        return evaluateXmlPath(document, expression);
    } catch (...) {
        return {};
    }
}
