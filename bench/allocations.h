// Counts every allocation the benchmark process makes, the test backend's included.
#pragma once

long AllocationCount();
