// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/byte_scan.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "core/scan_kernels.h"

namespace lintrel {

namespace {

std::size_t Offset(std::string_view text, const void* hit) {
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

std::size_t FindTwoWay(std::string_view text, std::size_t from, std::string_view needle) {
    return Offset(text,
                  ::memmem(text.data() + from, text.size() - from, needle.data(), needle.size()));
}

// Counts by one search after another from `from`, each match consumed.
ByteCount CountByFinding(std::string_view text, std::size_t from, std::string_view needle) {
    ByteCount result{0, from};
    for (std::size_t at = FindBytes(text, from, needle); at != std::string_view::npos;
         at = FindBytes(text, from, needle)) {
        ++result.count;
        from = at + needle.size();
        result.end = from;
    }
    return result;
}

std::size_t CountByteScalar(std::string_view bytes, char byte) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), byte));
}

// The byte of `needle`, other than its first, that the vector probe also checks: the last one
// that is not a line break or a space, as those are common in note files.
std::size_t SecondProbe(std::string_view needle) {
    for (std::size_t k = needle.size() - 1; k > 0; --k) {
        if (needle[k] != '\r' && needle[k] != '\n' && needle[k] != ' ') {
            return k;
        }
    }
    return needle.size() - 1;
}

#if defined(__SSE2__)

// The one place the width is chosen: the widest the processor has, once.
const ScanSet* Widest() {
    const ScanSet* wide = Avx2Scans();
    return wide != nullptr ? wide : &kScans<Vec16>;
}

std::atomic<const ScanSet*> chosen{Widest()};

const ScanSet* Scans() {
    return chosen.load(std::memory_order_relaxed);
}

#else

const ScanSet* Scans() {
    return nullptr;
}

#endif

}  // namespace

unsigned ScanWidth() {
    const ScanSet* scans = Scans();
    return scans == nullptr ? 0 : scans->width;
}

bool SetScanWidth(unsigned width) {
#if defined(__SSE2__)
    for (const ScanSet* scans : {Avx2Scans(), &kScans<Vec16>}) {
        if (scans != nullptr && scans->width == width) {
            chosen.store(scans, std::memory_order_relaxed);
            return true;
        }
    }
#endif
    (void)width;
    return false;
}

std::size_t CountByte(std::string_view bytes, char byte) {
    const ScanSet* scans = Scans();
    if (scans == nullptr) {
        return CountByteScalar(bytes, byte);
    }
    const BlockScan blocks = scans->countByte(bytes.data(), bytes.size(), byte);
    return blocks.count + CountByteScalar(bytes.substr(blocks.stopped), byte);
}

bool HasLoneCr(std::string_view bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    if (n < 2) {
        return false;
    }
    // Every place but the last has a byte after it.
    const ScanSet* scans = Scans();
    std::size_t i = scans == nullptr ? 0 : scans->loneCrFree(p, n - 1);
    if (i == std::string_view::npos) {
        return true;
    }
    for (; i + 1 < n; ++i) {
        if (p[i] == '\r' && p[i + 1] != '\n') {
            return true;
        }
    }
    return false;
}

std::size_t ScanForBreak(std::string_view text, std::size_t from, std::size_t to, bool utf8) {
    const ScanSet* scans = Scans();
    return scans == nullptr ? from : scans->breakFreeForward(text, from, to, utf8).stopped;
}

BreakBackScan ScanBackForBreak(std::string_view text, std::size_t from, std::size_t to, bool utf8,
                               int mark) {
    const ScanSet* scans = Scans();
    if (scans == nullptr) {
        return {.stopped = to};
    }
    const BlockScan rounds = scans->breakFreeBack(text, from, to, utf8, mark);
    return {.stopped = rounds.stopped, .marked = rounds.found};
}

bool LowerAscii(std::string_view bytes, char* out) {
    const ScanSet* scans = Scans();
    std::size_t i = 0;
    if (scans != nullptr) {
        const BlockScan blocks = scans->lowerAscii(bytes.data(), bytes.size(), out);
        if (blocks.found != std::string_view::npos) {
            return false;
        }
        i = blocks.stopped;
    }
    for (; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80) {
            return false;
        }
        out[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
    }
    return true;
}

std::size_t FindBytes(std::string_view text, std::size_t from, std::string_view needle) {
    if (from >= text.size()) {
        return std::string_view::npos;
    }
    const ScanSet* scans = Scans();
    switch (scans == nullptr ? NeedleScan::TwoWay : NeedleRowFor(needle.size()).find) {
        case NeedleScan::OneByte:
            return Offset(text, std::memchr(text.data() + from, needle[0], text.size() - from));
        case NeedleScan::Exact:
        case NeedleScan::Probe: {
            const BlockScan blocks = scans->findProbed(text, needle, SecondProbe(needle), from);
            if (blocks.found != std::string_view::npos) {
                return blocks.found;
            }
            return text.find(needle, blocks.stopped);
        }
        case NeedleScan::TwoWay:
            break;
    }
    return FindTwoWay(text, from, needle);
}

ByteCount CountBytes(std::string_view text, std::size_t from, std::string_view needle) {
    const ScanSet* scans = Scans();
    const NeedleScan how =
        scans == nullptr ? NeedleScan::TwoWay : NeedleRowFor(needle.size()).count;
    switch (how) {
        case NeedleScan::OneByte: {
            const std::string_view rest = text.substr(std::min(from, text.size()));
            const std::size_t count = CountByte(rest, needle[0]);
            if (count == 0) {
                return {0, from};
            }
            // Past the last one.
            return {count, Offset(text, ::memrchr(rest.data(), needle[0], rest.size())) + 1};
        }
        case NeedleScan::Exact:
        case NeedleScan::Probe: {
            const BlockScan blocks =
                how == NeedleScan::Exact
                    ? scans->countExact(text, needle, from, from)
                    : scans->countProbed(text, needle, SecondProbe(needle), from, from);
            // The rest of the text, past the blocks and the last match in them.
            const ByteCount rest =
                CountByFinding(text, std::max(blocks.stopped, blocks.end), needle);
            return {blocks.count + rest.count, rest.count == 0 ? blocks.end : rest.end};
        }
        case NeedleScan::TwoWay:
            break;
    }
    return CountByFinding(text, from, needle);
}

}  // namespace lintrel
