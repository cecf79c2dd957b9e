#pragma once
// Reading a DXF drawing: every CIRCLE, LINE, ARC and SPLINE after the first
// "ENTITIES" line becomes one TItem. The reader is a line scanner, not a DXF
// parser: each value is the line after the first matching group-code line at or
// after the entity's name line, so a value missing from one entity is taken from
// a later one. The file is scanned once into per-text occurrence lists, which
// answer those searches without rescanning (see DxfLineScan for the plain rules).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "dxf/DxfSkippedKinds.h"
#include "dxf/DxfState.h"
#include "dxf/DxfStatus.h"
#include "dxf/TItem.h"
#include "job/JobParameters.h"

namespace bw {

struct DxfReadSummary {
    std::size_t skippedSplines = 0;  // splines left out: counts or lines missing, or not traceable
    DxfSkippedKinds skipped;         // entity kinds the scanner does not read (CountScannerSkippedKinds)
};

// Replaces `items` with the entities of `text`. Errors name the line (1-based):
// "line 1234: '12.x5' is not a number". On an error the entities read so far
// stay in `items`, the failing one with the fields read before the bad line; a
// text without an "ENTITIES" line leaves `items` empty.
//
// A SPLINE is left out (and counted) when its " 72" or " 73" line is missing,
// a count is negative, the file has fewer knot or point lines than its counts,
// or the result could not be traced (see IsTraceableSpline). Values beyond
// kDxfValueLimitRaw (angles beyond kDxfAngleLimitRaw) are errors.
Result<DxfReadSummary> ReadDxfEntities(std::string_view text, std::vector<TItem>& items);

struct DxfLoadSummary {
    std::size_t entities = 0;        // entities read
    std::size_t skippedSplines = 0;  // splines left out
    DxfSkippedKinds skipped;         // entity kinds the reading does not cut
};

// The full load of dxf.dxfFileName: file read (by the line scanner, or by the
// full reading when params.readAllEntities is set, its curves within the chord
// error the curve accuracy params.segmentLength allows), then, when it held at
// least one entity, entities, box, pan and the view's scale replaced (with the
// segment length and view size the window filled into `params`).
// Errors start with the file name. A failure changes nothing; so does a file
// with nothing to cut, which is no error here: `entities` is 0 and the caller
// says why (DxfNothingToCutText), with the skipped kinds.
Result<DxfLoadSummary> LoadDxfFile(DxfState& dxf, const JobParameters& params, int languageIndex, char decimalSeparator,
                                   const DxfStatusCallback& status);

// Why a load gave nothing to cut, said after the file's name.
inline std::string_view DxfNothingToCutText(bool readAllEntities) {
    return readAllEntities ? "no geometry to cut found in model space" : "no CIRCLE, LINE, ARC or SPLINE entity found";
}

}  // namespace bw
