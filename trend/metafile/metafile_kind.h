// The three kinds of Windows metafile a chart page can be saved as, numbered as the chart
// component's page output numbers them.
#pragma once

namespace tk70 {

enum class MetafileKind {
    Standard = 0,   // Windows metafile (.wmf) without the placeable header
    Placeable = 1,  // Windows metafile (.wmf) behind the 22-byte placeable header
    Enhanced = 2,   // Enhanced metafile (.emf)
};

}  // namespace tk70
