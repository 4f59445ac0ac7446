#pragma once

#include "AppSection.h"

class Store;

// The number the sidebar shows beside a section: its inputs; 0 shows no badge.
int sectionCount(const Store& store, AppSection section);
