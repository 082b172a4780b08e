#include "name_index.h"

#include <algorithm>
#include <array>

namespace humo::engine {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Edits (insertions, deletions, substitutions) that turn one text into the other.
size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string_view trimmed(std::string_view cell) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!cell.empty() && blank(cell.front()))
        cell.remove_prefix(1);
    while (!cell.empty() && blank(cell.back()))
        cell.remove_suffix(1);
    return cell;
}

std::string folded(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = lower(c);
    return result;
}

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

NameIndex::Id NameIndex::add(std::string_view database_text) {
    const std::string key = folded(database_text);
    if (const Id found = by_fold_.find(key); found != kNone)
        return found;
    const Id id = static_cast<Id>(texts_.size());
    texts_.emplace_back(database_text);
    by_fold_.insert(key, id);
    by_spelling_.insert(database_text, id);
    return id;
}

NameIndex::Id NameIndex::find(std::string_view database_text) const {
    if (const Id found = by_spelling_.find(database_text); found != kNone)
        return found;
    return by_fold_.find(folded(database_text));
}

NameIndex::Id NameIndex::find_cell(std::string_view cell) const {
    // Most cells are spelt as the database spells them: found without folding.
    if (const Id found = by_spelling_.find(cell); found != kNone)
        return found;
    const std::string_view name = trimmed(cell);
    std::array<char, 128> buffer;
    if (name.size() <= buffer.size()) {
        std::transform(name.begin(), name.end(), buffer.begin(), lower);
        return by_fold_.find(std::string_view(buffer.data(), name.size()));
    }
    return by_fold_.find(folded(name));
}

std::string nearest_name(std::string_view cell, std::span<const std::string> names) {
    const std::string wanted = folded(trimmed(cell));
    // A slip per three letters, and never more than three: "Kenia" is Kenya, "Chad" not Iran.
    const size_t allowed = std::clamp<size_t>(wanted.size() / 3, 1, 3);
    const std::string* best = nullptr;
    size_t best_distance = allowed + 1;
    for (const std::string& name : names) {
        const size_t distance = edit_distance(wanted, folded(name));
        if (distance < best_distance) {
            best = &name;
            best_distance = distance;
        }
    }
    return best ? *best : std::string();
}

}  // namespace humo::engine
