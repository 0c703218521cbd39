// Planted: a folder the layer table does not name.
