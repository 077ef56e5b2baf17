#pragma once
// The Fashion page's tree of a model's items: sets (folders) at the top, the
// drawings, garments and notes filed under the set whose Id they name, or at
// the top when there is none. Built from the item list alone, so a reloaded
// model shows the same tree.
#include <string>
#include <vector>

#include "core/ModelFile.h"

namespace lc {

// Tree pictures by role.
inline constexpr int kTreeImageFirstSet = 13;
inline constexpr int kTreeImageSet = 6;
inline constexpr int kTreeImageDrawing = 4;
inline constexpr int kTreeImageGarment = 2;
inline constexpr int kTreeImageNote = 5;

struct ModelTreeNode {
    int Item = -1;   // index into the model's items
    int Parent = -1; // index of the parent node in the list, -1 at the top
    int Image = 0;
};

// One node per item except the mask and editor-state items, in item order.
std::vector<ModelTreeNode> BuildModelTree(const ModelFile& model);

// Deletes item `index`; a set takes the items filed under it along.
// Returns the number of items deleted.
int DeleteItemWithChildren(ModelFile& model, int index);

// Folders of the models folder offered as categories: names without a dot.
bool IsCategoryName(const std::string& folderName);

} // namespace lc
