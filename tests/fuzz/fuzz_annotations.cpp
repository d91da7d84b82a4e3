// libFuzzer target for the imaging-annotation parser (TIFF tag 32932): bytes
// from a scanned file must never crash it, read outside the block or take
// unbounded memory, and every mark it returns must convert to a view object.
// Configure and build as tests/fuzz/CMakeLists.txt says (the platform library
// is instrumented there), then run e.g.
//   build-fuzz/bin/fuzz_annotations -max_total_time=180 -rss_limit_mb=512 CORPUS

#include "imageview/AnnotationObjects.h"
#include "imageview/WangAnnotations.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const WangAnnotationBlock block =
        parseWangAnnotations(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (block.marks.size() > MaxWangMarks)
        std::abort();
    for (const WangMark &m : block.marks) {
        if (m.points.size() > MaxWangPoints || m.text.size() > MaxWangTextBytes)
            std::abort();
        const std::optional<VectorObject> o = annotationObject(m, 300.0);
        if (o && (o->rect.width() < 1 || o->rect.height() < 1))
            std::abort();
    }
    return 0;
}
