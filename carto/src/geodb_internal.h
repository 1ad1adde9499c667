// Shared helpers of the geo database sources.
#pragma once

#include <cstdint>
#include <string>

#include <qyx/QYX_GeoDB.h>

namespace qyx::geodb {

/// True for the kinds whose block is a polygon.
inline bool IsPolygonKind(TgdbItem T) {
    return T <= gitRoute && T != gitTown;
}

/// Bytes of the block a record points to (points or meta information plus content); -1 when its
/// size is negative, or not 0 for a kind without a block.
inline int64_t BlockBytes(const TgdbData& D) {
    if (D.DataSize < 0) return -1;
    if (IsPolygonKind(D.ItemType)) return int64_t{D.DataSize} * 8;
    if (D.ItemType == gitBLOB) return 1024 + int64_t{D.DataSize};
    return D.DataSize == 0 ? 0 : -1;
}

/// The header as its 260 bytes.
void HeaderToBytes(int LastItemID, int FormatCode, const std::string& Description, int Revision,
                   uint8_t* Dest);

} // namespace qyx::geodb
