#include <algorithm>
#include <charconv>
#include <span>

#include "json_text.h"
#include "script.h"
#include "verb_table.h"

namespace humo::script {
namespace {

using enum ArgKind;

struct Token {
    std::string value;
    bool quoted = false;
};

using Tokens = std::span<const Token>;
using Shape = std::span<const Arg>;

std::vector<Token> tokenize(std::string_view line, int line_number) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            size_t length = 0;
            auto text = json::unquote(line.substr(i), length);
            if (!text) {
                throw ScriptError("line " + std::to_string(line_number) +
                                  ": malformed JSON string");
            }
            tokens.push_back({*text, true});
            i += length;
            continue;
        }
        size_t end = line.find_first_of(" \t\r", i);
        if (end == std::string_view::npos)
            end = line.size();
        tokens.push_back({std::string(line.substr(i, end - i)), false});
        i = end;
    }
    return tokens;
}

std::optional<int> whole_number(std::string_view word) {
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

bool is_target(ArgKind kind) { return kind == kForm || kind == kControl || kind == kFormOrControl; }

// The words after the target, read as `shape` says; nothing when they do not fit it.
std::optional<std::vector<Argument>> read_arguments(Shape shape, Tokens words) {
    std::vector<Argument> arguments;
    size_t next = 0;
    for (const Arg& arg : shape) {
        if (next == words.size()) {
            if (arg.kind == kOptionalText)
                continue;
            return std::nullopt;
        }
        const Token& word = words[next++];
        std::optional<int> number;
        switch (arg.kind) {
            case kText:
            case kOptionalText:
                if (!word.quoted)
                    return std::nullopt;
                arguments.push_back({word.value});
                break;
            case kWholeNumber:
                number = word.quoted ? std::nullopt : whole_number(word.value);
                if (!number)
                    return std::nullopt;
                arguments.push_back({std::nullopt, *number});
                break;
            case kTextOrIndex:
                if (word.quoted) {
                    arguments.push_back({word.value});
                    break;
                }
                if (word.value.size() > 1 && word.value[0] == '#')
                    number = whole_number(std::string_view(word.value).substr(1));
                if (!number)
                    return std::nullopt;
                arguments.push_back({std::nullopt, *number});
                break;
            case kWord:
                if (word.quoted || word.value != arg.name)
                    return std::nullopt;
                break;
            case kForm:
            case kControl:
            case kFormOrControl:
                return std::nullopt;
        }
    }
    if (next != words.size())
        return std::nullopt;
    return arguments;
}

std::string spelled(Shape shape) {
    std::string text;
    for (const Arg& arg : shape) {
        if (!text.empty())
            text += " ";
        switch (arg.kind) {
            case kText:
                text += "\"TEXT\"";
                break;
            case kOptionalText:
                text += "[\"TEXT\"]";
                break;
            case kTextOrIndex:
                text += "\"TEXT\" or #N";
                break;
            case kWholeNumber:
            case kWord:
                text += arg.name;
                break;
            case kForm:
            case kControl:
            case kFormOrControl:
                break;
        }
    }
    return text;
}

// Why `words` fit none of the verb's shapes (what follows the target, when `targeted`): that it
// takes nothing more, which whole number is wrong, how many texts it needs, or its shapes
// spelled out.
std::string mismatch(std::string_view verb, const std::vector<Shape>& shapes, bool targeted,
                     Tokens words) {
    const std::string name(verb);
    auto one_shape_of_only = [&](auto wanted) {
        return shapes.size() == 1 && std::all_of(shapes[0].begin(), shapes[0].end(),
                                                 [&](const Arg& arg) { return wanted(arg.kind); });
    };
    if (std::all_of(shapes.begin(), shapes.end(), [](Shape shape) { return shape.empty(); }))
        return targeted ? name + ": unexpected arguments" : name + " takes no arguments";
    if (one_shape_of_only([](ArgKind kind) { return kind == kWholeNumber; })) {
        if (words.size() != shapes[0].size())
            return name + ": wrong number of arguments";
        for (const Token& word : words) {
            if (word.quoted || !whole_number(word.value))
                return name + ": expected a whole number, got '" + word.value + "'";
        }
    }
    if (!targeted && one_shape_of_only([](ArgKind kind) { return kind == kText; })) {
        const size_t count = shapes[0].size();
        return name + " needs " + std::to_string(count) + " \"TEXT\" argument" +
               (count == 1 ? "" : "s");
    }
    if (!targeted && shapes.size() == 1 && shapes[0].size() == 1 &&
        shapes[0][0].kind == kOptionalText) {
        return name + " takes at most one quoted text";
    }
    if (shapes.size() == 1)
        return name + " needs " + spelled(shapes[0]);
    std::string alternatives;
    for (Shape shape : shapes)
        alternatives += (alternatives.empty() ? "'" : " or '") + spelled(shape) + "'";
    return name + " needs " + alternatives;
}

Command parse_line(const std::vector<Token>& tokens, int line_number) {
    auto fail = [line_number](const std::string& why) {
        return ScriptError("line " + std::to_string(line_number) + ": " + why);
    };
    const std::string& name = tokens[0].value;
    std::vector<const Verb*> rows;
    for (const Verb& verb : verbs()) {
        if (verb.name == name)
            rows.push_back(&verb);
    }
    if (tokens[0].quoted || rows.empty())
        throw fail("unknown command '" + name + "'");

    Command command;
    command.line = line_number;
    Tokens words = Tokens(tokens).subspan(1);
    const Shape first_shape = rows[0]->shape;
    const bool targeted = !first_shape.empty() && is_target(first_shape[0].kind);
    if (targeted) {
        const ArgKind target_kind = first_shape[0].kind;
        if (words.empty() || words[0].quoted)
            throw fail(name + " needs a form or control");
        const std::string& target = words[0].value;
        const size_t dot = target.find('.');
        if (dot == std::string::npos) {
            if (target_kind == kControl)
                throw fail(name + " needs FORM.CONTROL");
            command.form = target;
        } else {
            if (target_kind == kForm)
                throw fail(name + " needs a form, not a control");
            command.form = target.substr(0, dot);
            command.control = target.substr(dot + 1);
            if (command.form.empty() || command.control.empty())
                throw fail("malformed target '" + target + "'");
        }
        words = words.subspan(1);
    }

    std::vector<Shape> after_target;
    for (const Verb* row : rows) {
        const Shape shape = Shape(row->shape).subspan(targeted ? 1 : 0);
        if (auto arguments = read_arguments(shape, words)) {
            command.verb = row;
            command.arguments = std::move(*arguments);
            return command;
        }
        after_target.push_back(shape);
    }
    throw fail(mismatch(name, after_target, targeted, words));
}

}  // namespace

std::vector<Command> parse_script(std::istream& in) {
    std::vector<Command> commands;
    std::string line;
    int line_number = 0;
    while (std::getline(in, line)) {
        ++line_number;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        commands.push_back(parse_line(tokenize(line, line_number), line_number));
    }
    return commands;
}

}  // namespace humo::script
