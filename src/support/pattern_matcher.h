#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// Regular-expression matching on characters (ECMAScript syntax) with results in the program's
// own terms: texts in UTF-8 and positions as byte offsets into the searched text. A copy shares
// the expression and the matches of the original.
class PatternMatcher {
public:
    // Searches `target`; the pattern's every "#引号" becomes a double quote when `quotePlaceholder`
    // is set. True when the search ran, even if it found nothing; false for a pattern that does
    // not compile. Replaces whatever an earlier run left.
    bool Run(std::string_view pattern, std::string_view target, bool caseSensitive = false,
             bool multiLine = true, bool global = true, bool quotePlaceholder = false);

    // The pattern of the last run as it was compiled; empty before the first.
    std::string PatternText() const;
    // The target of the last run with its matches replaced ("$1", "$&" and "$$" are expanded).
    std::string ReplaceMatches(std::string_view replacement) const;

    int MatchCount() const;
    // Match n (from 1), or the empty text and position -1 when there is none.
    std::string MatchText(int n, int* position = nullptr) const;
    // Capturing group k (from 1) of match n; a group that took no part gives the empty text and
    // position -1.
    std::string SubMatchText(int n, int k, int* position = nullptr) const;
    // The number of capturing groups of the first match; 0 when nothing matched.
    int SubMatchCount() const;

private:
    struct Expression;
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
        bool matched = false;
    };
    using Match = std::vector<Span>; // the whole match, then every capturing group

    const Span* span(int n, int k) const;
    std::string spanText(const Span* found, int* position) const;

    std::shared_ptr<const Expression> expression_;
    std::shared_ptr<const std::vector<Match>> matches_;
    std::string target_;
};

// Every ASCII digit of the text, in order ("12.5元" gives "125", "-8" gives "8").
std::string KeepDigits(std::string_view text);

} // namespace support
