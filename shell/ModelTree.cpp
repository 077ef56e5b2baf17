#include "shell/ModelTree.h"

namespace lc {

std::vector<ModelTreeNode> BuildModelTree(const ModelFile& model) {
    std::vector<ModelTreeNode> nodes;
    for (size_t i = 0; i < model.Items.size(); ++i) {
        const ModelItem& it = model.Items[i];
        ModelTreeNode n;
        n.Item = static_cast<int>(i);
        switch (it.Kind) {
        case kItemFolder: n.Image = i == 0 ? kTreeImageFirstSet : kTreeImageSet; break;
        case kItemDrawing: n.Image = kTreeImageDrawing; break;
        case kItemGarment: n.Image = kTreeImageGarment; break;
        case kItemNote: n.Image = kTreeImageNote; break;
        default: continue; // masks, editor states and unknown kinds get no node
        }
        if (it.Kind != kItemFolder && it.ParentId != 0) {
            for (size_t k = 0; k < nodes.size(); ++k) {
                const ModelItem& p = model.Items[nodes[k].Item];
                if (p.Kind == kItemFolder && p.Id == it.ParentId) {
                    n.Parent = static_cast<int>(k);
                    break;
                }
            }
        }
        nodes.push_back(n);
    }
    return nodes;
}

int DeleteItemWithChildren(ModelFile& model, int index) {
    if (index < 0 || index >= static_cast<int>(model.Items.size())) return 0;
    const ModelItem& doomed = model.Items[index];
    const bool set = doomed.Kind == kItemFolder;
    const uint16_t id = doomed.Id;
    int deleted = 0;
    for (int i = static_cast<int>(model.Items.size()) - 1; i >= 0; --i) {
        const ModelItem& it = model.Items[i];
        const bool child = set && it.Kind != kItemFolder && it.Kind != kItemMaskOrState && it.ParentId == id && id != 0;
        if (i == index || child) {
            model.DeleteItem(i);
            ++deleted;
        }
    }
    return deleted;
}

bool IsCategoryName(const std::string& folderName) {
    return !folderName.empty() && folderName.find('.') == std::string::npos;
}

} // namespace lc
