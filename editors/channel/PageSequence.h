// Which pages of the channel window follow the Channel Configuration page: one sequence per keying
// (tone, DC, none) and signalling type (none, stat alert, DTMF decode, DTMF selective call). The
// wizard walks it and the configuration sheet prints the same pages, so both read it from here.
// No widgets: the sheet's library uses it too.
#pragma once

#include <array>
#include <vector>

namespace trv::editors::channel {

// The pages that may follow the Channel Configuration page; End closes a sequence.
enum class PageCode {
    TonePlan1 = 1,
    TonePlan2,
    DcPlan,
    StatAlert,
    DtmfDecode,
    DtmfSelectiveCall,
    TalkPermitTone,
    End
};

inline constexpr int kKeyings = 3;
inline constexpr int kSignalings = 4;
inline constexpr int kMaxFollowing = 4;

// Read until End or the fourth entry.
inline constexpr PageCode kSequences[kKeyings][kSignalings][kMaxFollowing] = {
    {{PageCode::TonePlan1, PageCode::TonePlan2, PageCode::TalkPermitTone, PageCode::End},
     {PageCode::TonePlan1, PageCode::TonePlan2, PageCode::TalkPermitTone, PageCode::StatAlert},
     {PageCode::TonePlan1, PageCode::TonePlan2, PageCode::TalkPermitTone, PageCode::DtmfDecode},
     {PageCode::TonePlan1, PageCode::TonePlan2, PageCode::TalkPermitTone, PageCode::DtmfSelectiveCall}},
    {{PageCode::DcPlan, PageCode::TalkPermitTone, PageCode::End, PageCode::End},
     {PageCode::DcPlan, PageCode::TalkPermitTone, PageCode::StatAlert, PageCode::End},
     {PageCode::DcPlan, PageCode::TalkPermitTone, PageCode::DtmfDecode, PageCode::End},
     {PageCode::DcPlan, PageCode::TalkPermitTone, PageCode::DtmfSelectiveCall, PageCode::End}},
    {{PageCode::TalkPermitTone, PageCode::End, PageCode::End, PageCode::End},
     {PageCode::TalkPermitTone, PageCode::StatAlert, PageCode::End, PageCode::End},
     {PageCode::TalkPermitTone, PageCode::DtmfDecode, PageCode::End, PageCode::End},
     {PageCode::TalkPermitTone, PageCode::DtmfSelectiveCall, PageCode::End, PageCode::End}},
};

// A keying byte without a button (a damaged record) has no signalling plan pages; a signalling
// byte without a button adds no page.
inline constexpr int kUnknownKeyingRow = 2;

// The pages after the Channel Configuration page for a stored keying and signalling type.
inline std::vector<PageCode> followingPages(int keying, int signalingType)
{
    const int row = keying >= 0 && keying < kKeyings ? keying : kUnknownKeyingRow;
    const int column = signalingType >= 0 && signalingType < kSignalings ? signalingType : 0;
    std::vector<PageCode> pages;
    for (PageCode code : kSequences[row][column]) {
        if (code == PageCode::End)
            break;
        pages.push_back(code);
    }
    return pages;
}

} // namespace trv::editors::channel
