// Placeholder: the classifier tables and picker live in this folder.
