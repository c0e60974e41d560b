// A list of small images, loaded from the program's icon resources.
#pragma once

#include <memory>
#include <vector>

#include "forms/Classes.h"

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Appends the icon resource of that name; returns its index.
    int AddIconResource(const String& resourceName);
    int Count() const { return static_cast<int>(names_.size()); }
    const String& ResourceName(int index) const { return names_.at(static_cast<std::size_t>(index)); }
    // The native icon of an image (HICON in the Win32 backend, null headless).
    void* IconHandle(int index) const;

    struct Impl;

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<String> names_;
    std::unique_ptr<Impl> impl_;
};
