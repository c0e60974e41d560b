#include "forms/TrayIcon.h"

// No shell icon: the properties are the whole state.
struct TTrayIcon::Impl {};

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {}

TTrayIcon::~TTrayIcon() = default;

void TTrayIcon::Update() {}
