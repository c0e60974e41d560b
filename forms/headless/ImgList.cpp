#include "forms/ImgList.h"

// No native icons: only the resource names are kept.
struct TImageList::Impl {};

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
}

int TImageList::AddIconResource(const String& resourceName) {
    names_.push_back(resourceName);
    return Count() - 1;
}

void* TImageList::IconHandle(int) const { return nullptr; }
