// Image lists: icons loaded by resource name at the list's size.
#include "forms/win32/Win32Internal.h"

#include "forms/ImgList.h"

struct TImageList::Impl {
    std::vector<forms::win32::UniqueIcon> icons;
};

namespace {

HICON LoadIconResource(const String& name, int width, int height) {
    auto* icon = static_cast<HICON>(
        LoadImageA(forms::win32::Instance(), name.c_str(), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    if (icon == nullptr) {
        throw Exception("Icon resource " + name + " not found");
    }
    return icon;
}

}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) {}

TImageList::~TImageList() = default;

void TImageList::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
    for (std::size_t index = 0; index < names_.size(); ++index) {
        impl_->icons[index].reset(LoadIconResource(names_[index], width_, height_));
    }
}

int TImageList::AddIconResource(const String& resourceName) {
    impl_->icons.emplace_back(LoadIconResource(resourceName, width_, height_));
    names_.push_back(resourceName);
    return Count() - 1;
}

void* TImageList::IconHandle(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return impl_->icons[static_cast<std::size_t>(index)].get();
}
