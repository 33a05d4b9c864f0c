//Maya ASCII 2014 scene
createNode transform -n "c";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr ".r" -type "double3" 90 0 45 ;
	setAttr ".s" -type "double3" 2 2 2 ;
createNode bezierCurve -n "cShape" -p "c";
	setAttr ".cc" -type "nurbsCurve" 
		3 1 0 no 3
		6 0 0 0 1 1 1
		4
		0 0 0
		1 1 0
		2 1 0
		3 0 0
		;
createNode pointLight -n "pointLightShape1" -p "pointLight1";
	setAttr ".cl" -type "float3" 1 0.5 0.25 ;
	setAttr ".in" 2;
createNode ambientLight -n "ambientLightShape1" -p "ambientLight1";
	setAttr ".cl" -type "float3" 0.1 0.1 0.1 ;
	setAttr ".in" 0.5;
