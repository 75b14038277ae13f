// An inventory list on its own, for support and knowledge-base authors: the
// list a check would test, in the report's list-block layout.
#include "detect/clsDetector.h"

bool clsDetector::ReportInventory(const clsTrack& objTrack) {
    SetEnumList(objTrack);
    const std::shared_ptr<clsEnumList> objList = mcolEnumLists->Item(objTrack.EnumListID());
    if (!objList) return false;
    AppendListBlock(objTrack, objList->Text());
    return true;
}
