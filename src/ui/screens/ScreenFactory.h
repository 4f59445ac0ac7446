#pragma once

#include "AppSection.h"

class QWidget;
class Store;

// Builds the detail screen the main window shows for a section.
QWidget* makeScreen(AppSection section, Store& store, QWidget* parent);
