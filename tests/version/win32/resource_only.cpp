// The code of a library that exists only to carry a version resource.
int unra5_resource_only_library = 0;
