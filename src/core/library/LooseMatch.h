#pragma once

#include "Result.h"

#include "SearchBudget.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Matching beyond the design's LIKE, for the search words and for names that
// hold a term's characters in order. Texts are compared in their loose form:
// UTF-8 with ASCII letters in lowercase and blanks left out, so "Root 登录"
// and "root登录" are the same.
namespace LooseMatch {

std::string looseForm(std::string_view utf8);

// Whether c is an ASCII letter or digit: what makes a Latin run or word.
bool isLatin(char c);

// A loose term without the words of a question that no name or search word
// holds: "怎么开机启动" looks for "开机启动", "数据库怎么备份" for "数据库备份",
// "磁盘满了怎么办" for "磁盘满了". A term that is nothing else stays.
std::string withoutAsking(std::string looseTerm);

// The characters of a text, each as its bytes.
std::vector<std::string_view> charactersOf(std::string_view text);

// The runs of a text: those of ASCII letters and digits, and those of
// anything else ("apache重启": "apache", "重启").
std::vector<std::string_view> partsOf(std::string_view text);

// Whether text holds every part, in any order.
bool holdsAll(std::string_view text, const std::vector<std::string_view> &parts);

// The length in bytes of the shortest stretch of text that holds the
// characters in their order, others between them; nullopt when text does not
// hold them all.
std::optional<std::size_t> spanInOrder(std::string_view text, const std::vector<std::string_view> &characters);

// The names that hold a term loosely, by their places.
struct Found {
    // Those holding its characters in order, with the length of the shortest
    // stretch that holds them, in list order.
    std::vector<std::pair<std::size_t, int>> inOrder;
    // Those holding each of its runs in any order, when it has more than one.
    std::vector<int> inParts;
};

// Looks through count names, the one at each place given by nameAt, in one
// pass, each name spending from the search's budget what looking through it
// may cost. A search that runs out of it fails as too complex.
Result<Found> matchNames(std::string_view looseTerm, std::size_t count,
                         const std::function<std::string_view(std::size_t)> &nameAt, SearchBudget &budget);

} // namespace LooseMatch
