#ifndef GLYPHRANE_RESOURCES_RESOURCE_H_
#define GLYPHRANE_RESOURCES_RESOURCE_H_

// Identifiers of the program's resources, one range per kind. Read by the resource
// compiler too, so plain #defines only.

#define IDI_MAIN 101
#define IDD_MAIN 102

#define IDC_IMAGE_PATH 1001
#define IDC_BROWSE 1002
#define IDC_DEFINITION 1003
#define IDC_BLOCK_WIDTH 1004
#define IDC_BLOCK_HEIGHT 1005
#define IDC_COPY 1006
#define IDC_OUTPUT 1007

#endif  // GLYPHRANE_RESOURCES_RESOURCE_H_
