// A library that only carries resources; the code is the C runtime's default entry point.
