#include "base/Like.h"

#include <cstdint>
#include <type_traits>
#include <vector>

#include "base/Text.h"
#include "base/VbError.h"

namespace base {

namespace {

// One pattern element. Every kind but Star matches exactly one character.
struct Token {
    enum Kind : uint8_t { Literal, AnyChar, Digit, Set, Star } kind;
    bool negated = false;
    wchar_t ch = 0;              // Literal
    uint32_t firstRange = 0;     // Set: its ranges in the shared range table
    uint32_t rangeCount = 0;
};

struct Range {
    uint32_t lo;
    uint32_t hi;
};

// wchar_t is signed on Linux; ranges compare unsigned codes on both builds.
constexpr uint32_t Code(wchar_t ch) noexcept { return static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(ch)); }

class Pattern {
public:
    explicit Pattern(std::wstring_view strPattern) { Compile(strPattern); }

    // blnLowerText lower-cases the text character by character as it is
    // read. lngSkip: no place before it starts the first literal run, so a
    // leading "*" may take that much at once.
    bool Matches(std::wstring_view strText, bool blnLowerText, size_t lngSkip) const {
        // Plain ASCII, most of any list, is lowered here without a call.
        return blnLowerText ? Run(strText, lngSkip,
                                  [](wchar_t ch) {
                                      if (ch >= L'A' && ch <= L'Z') return static_cast<wchar_t>(ch + 32);
                                      return Code(ch) < 0x80 ? ch : LowerChar(ch);
                                  })
                            : Run(strText, lngSkip, [](wchar_t ch) { return ch; });
    }

    // The runs of plain characters that every match must contain.
    std::vector<std::wstring> LiteralRuns() const {
        std::vector<std::wstring> runs;
        bool inRun = false;
        for (const Token& tok : mTokens) {
            if (tok.kind != Token::Literal) {
                inRun = false;
                continue;
            }
            if (!inRun) runs.emplace_back();
            runs.back() += tok.ch;
            inRun = true;
        }
        return runs;
    }

private:
    std::vector<Token> mTokens;
    std::vector<Range> mRanges;

    template <typename Map>
    bool Run(std::wstring_view strText, size_t lngSkip, Map map) const {
        const size_t n = strText.size();
        const size_t m = mTokens.size();
        size_t t = 0;
        size_t p = 0;
        // The last "*" seen and the text position its run currently ends at.
        // Earlier stars never need revisiting: every token but "*" consumes
        // exactly one character, so a later star can absorb any shift.
        size_t starP = SIZE_MAX;
        size_t starT = 0;
        if (m >= 2 && mTokens[0].kind == Token::Star && mTokens[1].kind == Token::Literal && lngSkip > 0) {
            starP = 0;
            p = 1;
            t = starT = lngSkip < n ? lngSkip : n;
        }
        while (t < n) {
            if (p < m && mTokens[p].kind == Token::Star) {
                // A "*" that ends the pattern takes whatever text is left.
                if (p + 1 == m) return true;
                starP = p++;
                starT = t;
                continue;
            }
            if (p < m && MatchOne(mTokens[p], map(strText[t]))) {
                ++p;
                ++t;
                continue;
            }
            if (starP == SIZE_MAX) return false;
            p = starP + 1;
            t = ++starT;
        }
        while (p < m && mTokens[p].kind == Token::Star) ++p;
        return p == m;
    }

    void Compile(std::wstring_view s) {
        mTokens.reserve(s.size());
        for (size_t i = 0; i < s.size(); ++i) {
            const wchar_t ch = s[i];
            switch (ch) {
                case L'?': mTokens.push_back({Token::AnyChar}); break;
                case L'#': mTokens.push_back({Token::Digit}); break;
                case L'*':
                    // Runs of stars mean one star.
                    if (mTokens.empty() || mTokens.back().kind != Token::Star) mTokens.push_back({Token::Star});
                    break;
                case L'[': i = CompileSet(s, i + 1); break;
                default: {
                    Token tok{Token::Literal};
                    tok.ch = ch;
                    mTokens.push_back(tok);
                }
            }
        }
    }

    // Reads a group starting after its "["; returns the index of its "]".
    size_t CompileSet(std::wstring_view s, size_t i) {
        const size_t close = s.find(L']', i);
        if (close == std::wstring_view::npos) Raise(vbErrInvalidPattern);
        std::wstring_view body = s.substr(i, close - i);
        // "[]" matches nothing and consumes nothing: it simply drops out.
        if (body.empty()) return close;
        Token tok{Token::Set};
        if (body.front() == L'!') {
            tok.negated = true;
            body.remove_prefix(1);
        }
        tok.firstRange = static_cast<uint32_t>(mRanges.size());
        for (size_t k = 0; k < body.size(); ++k) {
            const uint32_t lo = Code(body[k]);
            // A "-" between two characters joins them; first or last it is itself.
            if (k + 2 < body.size() && body[k + 1] == L'-' && !(k == 0 && body[0] == L'-')) {
                const uint32_t hi = Code(body[k + 2]);
                if (hi < lo) Raise(vbErrInvalidPattern);
                mRanges.push_back({lo, hi});
                k += 2;
            } else {
                mRanges.push_back({lo, lo});
            }
        }
        tok.rangeCount = static_cast<uint32_t>(mRanges.size()) - tok.firstRange;
        mTokens.push_back(tok);
        return close;
    }

    bool MatchOne(const Token& tok, wchar_t ch) const {
        switch (tok.kind) {
            case Token::Literal: return tok.ch == ch;
            case Token::AnyChar: return true;
            case Token::Digit: return ch >= L'0' && ch <= L'9';
            case Token::Set: {
                const uint32_t c = Code(ch);
                bool inSet = false;
                for (uint32_t r = tok.firstRange; r < tok.firstRange + tok.rangeCount; ++r) {
                    if (c >= mRanges[r].lo && c <= mRanges[r].hi) {
                        inSet = true;
                        break;
                    }
                }
                return inSet != tok.negated;
            }
            case Token::Star: break;
        }
        return false;
    }
};

}  // namespace

bool Like(std::wstring_view strText, std::wstring_view strPattern) {
    return Pattern(strPattern).Matches(strText, false, 0);
}

bool LikeLowered(std::wstring_view strText, std::wstring_view strPattern, size_t lngSkip) {
    return Pattern(strPattern).Matches(strText, true, lngSkip);
}

std::vector<std::wstring> LikeLiteralRuns(std::wstring_view strPattern) { return Pattern(strPattern).LiteralRuns(); }

bool LikeText(std::wstring_view strText, std::wstring_view strPattern) {
    return Like(LCase(strText), LCase(strPattern));
}

}  // namespace base
