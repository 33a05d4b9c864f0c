//Maya ASCII 2014 scene
//Name: Light3.ma
//Codeset: UTF-8
//A cool lamp above the zeppelin: a point light of the sample demo's 3D scene.
requires maya "2014";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "pointLight3";
	setAttr ".t" -type "double3" 6 24 -8 ;
createNode pointLight -n "pointLightShape3" -p "pointLight3";
	setAttr -k off ".v";
	setAttr ".cl" -type "float3" 0.55 0.7 1 ;
	setAttr ".in" 0.3;
	setAttr ".us" no;
select -ne :time1;
	setAttr ".o" 0;
// End of Light3.ma
